// A window's meter group follows the window: showing, raising and activating move it to the front,
// the enabled flag equals the shown state, closing hides the window and moves the group to the back.
#include <gtest/gtest.h>

#include "CtrlPanel/device/MeterList.h"
#include "support/GuiTestPage.h"

namespace {

std::vector<uint32_t> Order(const MeterList& meters)
{
    std::vector<uint32_t> order;
    for (const MeterEntry& e : meters.Entries())
        order.push_back(e.group);
    return order;
}

}  // namespace

TEST(SkinWindowMeters, ShowingHidingAndClosingMoveTheGroup)
{
    MeterList meters;
    GuiTestPage test(wxPoint(40, 40), &meters, 4);

    test.window->Show(true);
    EXPECT_EQ(Order(meters), (std::vector<uint32_t>{4, 1, 2, 3, 5, 6, 7}));
    EXPECT_TRUE(meters.IsEnabled(4));

    test.window->Show(false);  // keeps its place
    EXPECT_EQ(Order(meters), (std::vector<uint32_t>{4, 1, 2, 3, 5, 6, 7}));
    EXPECT_FALSE(meters.IsEnabled(4));

    test.window->Show(true);
    meters.MoveToFront(2);
    test.window->Raise();
    EXPECT_EQ(meters.Entries().front().group, 4u);

    meters.MoveToFront(2);
    wxActivateEvent activate(wxEVT_ACTIVATE, true, test.window->GetId());
    activate.SetEventObject(test.window);
    test.window->GetEventHandler()->ProcessEvent(activate);
    EXPECT_EQ(meters.Entries().front().group, 4u);

    EXPECT_FALSE(test.window->Close());  // vetoed: only hidden
    EXPECT_FALSE(test.window->IsShown());
    EXPECT_EQ(meters.Entries().back().group, 4u);
    EXPECT_FALSE(meters.IsEnabled(4));
    EXPECT_EQ(meters.Entries().size(), 7u);
}

TEST(SkinWindowMeters, AWindowWithoutAGroupNeverTouchesTheList)
{
    MeterList meters;
    meters.SetEnabled(1, true);
    const std::vector<uint32_t> before = Order(meters);
    GuiTestPage withList(wxPoint(40, 40), &meters, 0);
    GuiTestPage withoutList(wxPoint(240, 40), nullptr, 5);
    for (SkinWindow* window : {withList.window, withoutList.window}) {
        window->Show(true);
        window->Raise();
        window->Show(false);
        window->Close();
    }
    EXPECT_EQ(Order(meters), before);
    EXPECT_TRUE(meters.IsEnabled(1));
    EXPECT_EQ(withoutList.window->GetMeterGroup(), 0);
}
