// Stereo links move, size and show effect windows through the window's link interface.
#include <gtest/gtest.h>

#include "PAL/LinkWindow.h"
#include "support/GuiTestPage.h"

TEST(SkinWindowLink, MovesSizesAndShowsTheFrame)
{
    GuiTestPage test(wxPoint(40, 40));
    LinkWindow* link = test.window;
    int32_t width = 0, height = 0;
    link->GetSize(width, height);
    EXPECT_GE(width, GuiTestPage::kWidth);
    EXPECT_GE(height, GuiTestPage::kHeight);

    link->SetSize(200, 150, width, height);
    int32_t x = 0, y = 0;
    link->GetPosition(x, y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 150);
    EXPECT_EQ(test.window->GetPosition(), wxPoint(200, 150));

    EXPECT_FALSE(link->IsShown());
    link->Show(true);
    EXPECT_TRUE(link->IsShown());
    EXPECT_TRUE(test.window->IsShown());
    link->Show(false);
    EXPECT_FALSE(link->IsShown());
}
