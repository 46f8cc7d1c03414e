// Real pointer and keyboard events (XTest) reach the page through the window: a drag on a knob
// changes its parameter, an Alt-click resets it, and a right-click does nothing.
#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include "support/GuiTestPage.h"

namespace {

struct MouseTest : testing::Test {
    void SetUp() override { ASSERT_TRUE(test.ShowAndWait()); }
    void TearDown() override
    {
        input.KeyUp(WXK_ALT);
        input.MouseUp();
        PumpFor(30);
    }
    void MoveTo(int32_t x, int32_t y)
    {
        input.MouseMove(test.ScreenPoint(x, y));
        const wxPoint target = test.ScreenPoint(x, y);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
    }
    float Value() const { return test.set.GetParameter(0); }

    GuiTestPage test{wxPoint(60, 60)};
    wxUIActionSimulator input;
};

}  // namespace

TEST_F(MouseTest, ADragUpwardsRaisesTheKnobsParameter)
{
    MoveTo(115, 60);
    input.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return test.Knob()->IsTracking(); }));
    for (int32_t y = 55; y >= 30; y -= 5)
        MoveTo(115, y);
    ASSERT_TRUE(PumpUntil([&] { return Value() > 0.74f; }));
    input.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !test.Knob()->IsTracking(); }));
    EXPECT_FLOAT_EQ(Value(), 0.8f);  // 30 pixels up from 0.5
    EXPECT_FLOAT_EQ(test.Knob()->value, 0.8f);
}

TEST_F(MouseTest, AnAltClickResetsTheParameterToItsDefault)
{
    test.set.SetParameter(0, 0.9f);
    MoveTo(115, 50);
    input.KeyDown(WXK_ALT);
    ASSERT_TRUE(PumpUntil([] { return wxGetMouseState().AltDown(); }, 1000));
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return Value() == 0.5f; }));
    input.KeyUp(WXK_ALT);
    PumpFor(50);
    EXPECT_FALSE(test.Knob()->IsTracking());
    EXPECT_EQ(test.Knob()->drags, 0);
}

TEST_F(MouseTest, ARightClickDoesNothing)
{
    test.set.SetParameter(0, 0.9f);
    MoveTo(115, 50);
    input.MouseClick(wxMOUSE_BTN_RIGHT);
    PumpFor(150);
    EXPECT_FALSE(test.Knob()->IsTracking());
    EXPECT_EQ(Value(), 0.9f);
}
