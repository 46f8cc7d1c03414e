// Real pointer and keyboard events (XTest) reach the page through the window: presses and releases
// at the pointer, a double-click as a second press, a drag on the generic knob changes its parameter,
// an Alt-click resets it, and a right-click does nothing.
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
        const wxPoint target = test.ScreenPoint(x, y);
        input.MouseMove(target);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
    }
    float Value() const { return test.set.GetParameter(1); }

    GuiTestPage test{wxPoint(60, 60)};
    wxUIActionSimulator input;
};

}  // namespace

TEST_F(MouseTest, PressesAndReleasesReachTheControlUnderThePointer)
{
    MoveTo(20, 25);  // the orange swatch
    SwatchView::Log().clear();
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([] { return SwatchView::Log().size() >= 2; }));
    EXPECT_EQ(SwatchView::Log(), (std::vector<std::string>{"down 20,25", "up 20,25"}));

    SwatchView::Log().clear();
    input.MouseDblClick();
    ASSERT_TRUE(PumpUntil([] { return SwatchView::Log().size() >= 4; }));
    PumpFor(100);
    EXPECT_EQ(SwatchView::Log(), (std::vector<std::string>{"down 20,25", "up 20,25", "down 20,25", "up 20,25"}));
}

TEST_F(MouseTest, ADragOnTheKnobTurnsItsParameter)
{
    MoveTo(75, 80);  // below the centre (75, 70)
    input.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return test.Knob()->IsTracking(); }));
    EXPECT_FLOAT_EQ(Value(), 0.0f);  // straight below the centre
    for (int32_t x = 80; x <= 95; x += 5)
        MoveTo(x, 70 + (95 - x) / 2);
    MoveTo(95, 70);  // straight right of the centre: three quarters of a turn
    ASSERT_TRUE(PumpUntil([&] { return Value() == 0.75f; }));
    input.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !test.Knob()->IsTracking(); }));
    EXPECT_FLOAT_EQ(Value(), 0.75f);
}

TEST_F(MouseTest, AnAltClickResetsTheParameterToItsDefault)
{
    test.set.SetParameter(1, 0.9f);
    MoveTo(75, 80);
    input.KeyDown(WXK_ALT);
    ASSERT_TRUE(PumpUntil([] { return wxGetMouseState().AltDown(); }, 1000));
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return Value() == 0.5f; }));
    input.KeyUp(WXK_ALT);
    PumpFor(50);
    EXPECT_FALSE(test.Knob()->IsTracking());  // a reset, not a drag
    EXPECT_EQ(Value(), 0.5f);
}

TEST_F(MouseTest, ARightClickDoesNothing)
{
    test.set.SetParameter(1, 0.9f);
    MoveTo(75, 80);
    input.MouseClick(wxMOUSE_BTN_RIGHT);
    PumpFor(150);
    EXPECT_FALSE(test.Knob()->IsTracking());
    EXPECT_EQ(Value(), 0.9f);
}

// The page acts on the pointer, buttons and keys of the event being handled, not on what the desktop
// says at that moment: events made up here, with the real pointer resting outside the window and no
// button or key held, press, drag and Alt-click where and as they say.
TEST_F(MouseTest, ThePageActsOnThePointerButtonsAndKeysOfTheEventBeingHandled)
{
    MoveTo(-30, -30);
    auto send = [&](wxEventType type, int32_t x, int32_t y, bool alt = false) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, y));
        event.SetLeftDown(type != wxEVT_LEFT_UP);
        event.SetAltDown(alt);
        event.SetEventObject(test.window);
        test.window->GetEventHandler()->ProcessEvent(event);
        wxIdleEvent idle;  // the drag poll that follows every event
        test.window->GetEventHandler()->ProcessEvent(idle);
    };
    SwatchView::Log().clear();
    send(wxEVT_LEFT_DOWN, 20, 25);
    send(wxEVT_LEFT_UP, 20, 25);
    EXPECT_EQ(SwatchView::Log(), (std::vector<std::string>{"down 20,25", "up 20,25"}));

    send(wxEVT_LEFT_DOWN, 75, 80);  // below the knob's centre
    send(wxEVT_MOTION, 95, 70);     // straight right of it
    EXPECT_TRUE(test.Knob()->IsTracking());
    EXPECT_FLOAT_EQ(Value(), 0.75f);
    send(wxEVT_LEFT_UP, 95, 70);
    EXPECT_FALSE(test.Knob()->IsTracking());

    send(wxEVT_LEFT_DOWN, 75, 80, true);
    send(wxEVT_LEFT_UP, 75, 80, true);
    EXPECT_FALSE(test.Knob()->IsTracking());
    EXPECT_EQ(Value(), 0.5f);
}
