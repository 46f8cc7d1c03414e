// The tooltip names the first bound parameter of the control under the pointer, is emptied when the
// pointer leaves it, and does not follow the pointer while a button is held.
#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include "support/GuiTestPage.h"

namespace {

wxString Tip(wxWindow* window)
{
    return window->GetToolTipText();
}

}  // namespace

TEST(SkinWindowTooltip, NamesTheParameterUnderThePointer)
{
    GuiTestPage test(wxPoint(300, 60));
    ASSERT_TRUE(test.ShowAndWait());
    wxUIActionSimulator input;
    EXPECT_EQ(Tip(test.window), "");

    input.MouseMove(test.ScreenPoint(115, 50));  // the bar
    EXPECT_TRUE(PumpUntil([&] { return Tip(test.window) == "Input 1 Level"; }));

    input.MouseMove(test.ScreenPoint(75, 70));  // the knob
    EXPECT_TRUE(PumpUntil([&] { return Tip(test.window) == "Input 2 Level"; }));

    input.MouseMove(test.ScreenPoint(75, 30));  // the root: nothing bound
    EXPECT_TRUE(PumpUntil([&] { return Tip(test.window) == ""; }));

    input.MouseMove(test.ScreenPoint(20, 20));  // a swatch: nothing bound
    PumpFor(100);
    EXPECT_EQ(Tip(test.window), "");

    // With a button held, hovering is not followed.
    input.MouseMove(test.ScreenPoint(75, 30));
    PumpFor(50);
    input.MouseDown();
    PumpFor(50);
    input.MouseMove(test.ScreenPoint(115, 50));
    PumpFor(150);
    EXPECT_EQ(Tip(test.window), "");
    input.MouseUp();
    PumpFor(50);
}

TEST(SkinWindowTooltip, ATooltipObjectComesWithThePageAndDetachingEmptiesIt)
{
    GuiTestPage test(wxPoint(300, 60));
    ASSERT_NE(test.window->GetToolTip(), nullptr);
    test.window->OnControlHover(test.page->GetView(2));  // not over: empties
    EXPECT_EQ(Tip(test.window), "");
    // Detached views no longer call the window.
    test.window->SetView(nullptr);
    EXPECT_EQ(test.page->GetView(2)->GetHoverCallback(), nullptr);
    test.window->SetView(test.page.get());
    EXPECT_NE(test.page->GetView(2)->GetHoverCallback(), nullptr);
}

// No motion comes from outside the window: leaving it straight from a control, with a quick move or at
// the end of a drag, ends the control's hover and empties the tooltip; coming back turns it on again.
TEST(SkinWindowTooltip, LeavingTheWindowEndsTheHover)
{
    GuiTestPage test(wxPoint(300, 60));
    ASSERT_TRUE(test.ShowAndWait());
    wxUIActionSimulator input;
    const wxPoint outside = test.ScreenPoint(GuiTestPage::kWidth + 60, 40);
    for (bool drag : {false, true}) {
        SCOPED_TRACE(drag ? "a drag released outside" : "a quick move out");
        input.MouseMove(test.ScreenPoint(75, 80));  // the knob
        ASSERT_TRUE(PumpUntil([&] { return test.Knob()->IsOver() && Tip(test.window) == "Input 2 Level"; }));
        if (drag) {
            input.MouseDown();
            ASSERT_TRUE(PumpUntil([&] { return test.Knob()->IsTracking(); }));
        }
        input.MouseMove(outside);
        PumpFor(100);
        if (drag) {
            input.MouseUp();
            PumpFor(50);
        }
        EXPECT_TRUE(PumpUntil([&] { return !test.Knob()->IsOver() && Tip(test.window) == ""; }));
    }
    input.MouseMove(test.ScreenPoint(75, 80));
    EXPECT_TRUE(PumpUntil([&] { return test.Knob()->IsOver() && Tip(test.window) == "Input 2 Level"; }));
}
