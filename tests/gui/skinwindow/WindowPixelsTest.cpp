// A skinned window shows its page: the screen holds the buffer's pixels, a quiet tick sends nothing to
// the screen, and a changed control sends only its own pixels.
#include <gtest/gtest.h>

#include "PAL/wx/ClientPixels.h"
#include "support/GuiTestPage.h"

TEST(SkinWindowPixels, TheScreenHoldsThePagesPixels)
{
    GuiTestPage test;
    ASSERT_EQ(test.window->GetClientSize(), wxSize(GuiTestPage::kWidth, GuiTestPage::kHeight));
    ASSERT_TRUE(test.ShowAndWait());
    const Bitmap& buffer = *test.window->GetSurface().GetBackBuffer();
    EXPECT_EQ(buffer.GetPixel(5, 5), 0x607080u);
    EXPECT_EQ(buffer.GetPixel(20, 20), 0xFF8000u);
    EXPECT_EQ(buffer.GetPixel(110, 30), BarView::kEmpty);  // value 0.5: the upper half is empty
    EXPECT_EQ(buffer.GetPixel(110, 70), BarView::kBar);
    EXPECT_EQ(FirstDifference(ReadClientPixels(test.window), buffer), wxPoint(-1, -1));

    // A change reaches the screen on the next tick.
    test.set.SetParameter(0, 1.0f);
    ASSERT_TRUE(PumpUntil([&] { return test.window->GetSurface().GetShown().GetPixel(110, 25) == BarView::kBar; }));
    PumpFor(50);
    EXPECT_EQ(FirstDifference(ReadClientPixels(test.window), buffer), wxPoint(-1, -1));
}

TEST(SkinWindowPixels, AQuietTickPaintsNothingAndPushesNothing)
{
    GuiTestPage test;
    ASSERT_TRUE(test.ShowAndWait());
    PumpFor(150);
    test.window->GetSurface().ResetFigures();
    PumpFor(350);  // three ticks and many idle passes
    const SurfaceFigures& figures = test.window->GetSurface().GetFigures();
    EXPECT_EQ(figures.marks, 0);  // the page drew nothing
    EXPECT_EQ(figures.refreshes, 0);
    EXPECT_EQ(figures.paints, 0);
    EXPECT_EQ(figures.blittedPixels, 0);
}

TEST(SkinWindowPixels, AChangedControlPushesOnlyItsChangedPixels)
{
    GuiTestPage test;
    ASSERT_TRUE(test.ShowAndWait());
    PumpFor(150);
    test.window->GetSurface().ResetFigures();
    test.set.SetParameter(0, 0.75f);  // the bar grows by 15 rows of its 30 x 60
    ASSERT_TRUE(PumpUntil([&] { return test.window->GetSurface().GetFigures().blittedPixels > 0; }));
    PumpFor(150);
    const SurfaceFigures& figures = test.window->GetSurface().GetFigures();
    EXPECT_EQ(figures.refreshedPixels, 30 * 15);
    EXPECT_EQ(figures.blittedPixels, 30 * 15);
    EXPECT_EQ(FirstDifference(ReadClientPixels(test.window), *test.window->GetSurface().GetBackBuffer()),
              wxPoint(-1, -1));
}

TEST(SkinWindowPixels, TwoDistantChangesPushTheirOwnPixelsNotTheSpaceBetween)
{
    GuiTestPage test;
    ASSERT_TRUE(test.ShowAndWait());
    PumpFor(150);
    test.window->GetSurface().ResetFigures();
    auto* swatch = static_cast<SwatchView*>(test.page->GetView(1));
    swatch->colour = 0x00FF00;  // 40 x 30 pixels
    swatch->Invalidate();
    test.set.SetParameter(0, 0.75f);  // 30 x 15 pixels
    ASSERT_TRUE(PumpUntil([&] { return test.window->GetSurface().GetFigures().blittedPixels >= 40 * 30 + 30 * 15; }));
    PumpFor(150);
    const SurfaceFigures& figures = test.window->GetSurface().GetFigures();
    EXPECT_EQ(figures.refreshedPixels, 40 * 30 + 30 * 15);
    EXPECT_EQ(figures.blittedPixels, 40 * 30 + 30 * 15);
    EXPECT_EQ(FirstDifference(ReadClientPixels(test.window), *test.window->GetSurface().GetBackBuffer()),
              wxPoint(-1, -1));
}
