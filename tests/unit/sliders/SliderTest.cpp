// Faders: the value from the pointer, step quantisation, where the drag ends, and the handle drawn
// from the real artwork.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/flHSlider.h"
#include "PAL/ViewLib/flVSlider.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/knobs/ComposeProbe.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr Rect kVertical = {343, 364, 25, 153};  // main-window faders
constexpr Rect kMainCross = {18, 130, 282, 297};
constexpr Rect kEqSelector = {76, 212, 25, 40};
constexpr Rect kAmpSelector = {37, 130, 26, 41};

// One slider (control 1) on a 640 x 404 window over the main backdrop.
TestPage SliderPage(const char* cls, Rect r, const std::string& strings, float value = 0.5f)
{
    return TestPage({MakeDescriptor("Level", 0, 1, value, UnitNone, TaperLinear, 0)},
                    {Record(0, {0, 640, 0, 404}, "View", -1, ""), Record(1, r, cls, 0, strings.c_str(), {0})}, 640,
                    404);
}

const std::string kFader = "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nBackground.bmp";
std::string Cross(const char* trayMask, const char* step = nullptr)
{
    return std::string("XFaderHandle.bmp\nXFaderHandleMask.bmp\n") + trayMask + "\nBackground.bmp" +
           (step ? std::string("\n") + step : "");
}

TEST(VerticalSlider, TheHandleCentreFollowsThePointerOver95Pixels)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t = SliderPage("flVSlider", kVertical, kFader);
    const struct {
        int32_t below;  // pointer below the top edge, less the handle's half height (13)
        float value;
    } cases[] = {{0, 1.0f}, {-30, 1.0f}, {19, 0.8f}, {38, 0.6f}, {95, 0.0f}, {300, 0.0f}};
    for (const auto& c : cases) {
        t.Press(350, kVertical.top + 60);  // where the press lands does not matter
        t.MoveTo(355, kVertical.top + 13 + c.below);
        t.Release();
        EXPECT_NEAR(t.set.GetParameter(0), c.value, 1e-6) << c.below;
    }
    EXPECT_EQ(t.As<flVSlider>(1)->HandleTop(0.5f), 49);
    EXPECT_EQ(t.As<flVSlider>(1)->HandleTop(NAN), 97);
}

TEST(HorizontalSlider, StepsQuantiseTheHandleAndTheValueWritten)
{
    ASSERT_TRUE(LoadRealArchive());
    const struct {
        Rect r;
        const char* step;
        int32_t travel;
        int32_t x;  // handle left edge the pointer asks for
        float value;
    } cases[] = {
        {kMainCross, nullptr, 96, 0, 0.0f},   {kMainCross, nullptr, 96, 48, 0.5f},
        {kMainCross, nullptr, 96, 95, 95.0f / 96}, {kMainCross, nullptr, 96, 300, 1.0f},
        {kMainCross, nullptr, 96, -40, 0.0f}, {kEqSelector, "15", 120, 7, 0.0f},
        {kEqSelector, "15", 120, 8, 15.0f / 120}, {kEqSelector, "15", 120, 22, 15.0f / 120},
        {kEqSelector, "15", 120, 23, 30.0f / 120}, {kEqSelector, "15", 120, 120, 1.0f},
        {kEqSelector, "15", 120, -20, 0.0f},  {kEqSelector, "0x", 120, 8, 8.0f / 120},  // no digits: step 1
    };
    for (const auto& c : cases) {
        TestPage t = SliderPage("flHSlider", c.r, Cross("XFaderTrayMaskEQ.bmp", c.step));
        auto* slider = t.As<flHSlider>(1);
        EXPECT_EQ(slider->GetTravel(), c.travel);
        t.Press(c.r.left + 30, c.r.top + 5);
        t.MoveTo(c.r.left + 6 + c.x, c.r.top + 50);  // the pointer's height does not matter
        t.Release();
        EXPECT_NEAR(t.set.GetParameter(0), c.value, 1e-6) << c.x << " step " << (c.step ? c.step : "1");
        // The handle is drawn where the value written puts it.
        EXPECT_EQ(slider->HandleLeft(t.set.GetParameter(0)), std::lround(c.value * float(c.travel)));
    }
}

TEST(SliderRelease, AReleaseOnTheSliderEndsTheDragWithoutAFinalStepAReleaseElsewhereWithOne)
{
    ASSERT_TRUE(LoadRealArchive());
    for (const bool vertical : {true, false}) {
        const Rect r = vertical ? kVertical : kMainCross;
        TestPage t =
            SliderPage(vertical ? "flVSlider" : "flHSlider", r, vertical ? kFader : Cross("XFaderTrayMask.bmp"));
        for (const bool onSlider : {true, false}) {
            t.Press(r.left + 10, r.top + (vertical ? 40 : 5));
            const float pressed = t.set.GetParameter(0);
            t.window.input.x = onSlider ? r.left + 12 : 639;  // moved, then released before the next poll
            t.window.input.y = onSlider ? r.top + 10 : 0;
            t.Release();
            EXPECT_EQ(t.set.GetParameter(0), onSlider ? pressed : 1.0f) << vertical;
            EXPECT_FALSE(t.V(1)->IsTracking());
        }
    }
}

TEST(SliderPixels, HandlesAreDrawnWhereTheValuePutsThem)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage v = SliderPage("flVSlider", kVertical, kFader, 0.5f);
    v.page->Paint();
    const Bitmap& fader = *BitmapCache::Get("FaderHandle.bmp");
    const Bitmap& faderMask = *BitmapCache::Get("FaderHandleMask.bmp");
    EXPECT_GT(ExpectOpaqueShows(v.window.buffer, kVertical.left, kVertical.top + 49, fader, 0, 0, faderMask, 0, 0, 21,
                                27, "fader"),
              50);

    // Without a tray mask, or with one of another size than the slider, the whole handle shows.
    const Bitmap& handle = *BitmapCache::Get("XFaderHandle.bmp");
    const Bitmap& handleMask = *BitmapCache::Get("XFaderHandleMask.bmp");
    for (const char* trayMask : {"SPACER_MISSING_BMP", "XFaderTrayMask.bmp"}) {
        TestPage h = SliderPage("flHSlider", kAmpSelector, Cross(trayMask, "26"), 0.5f);
        h.page->Paint();
        EXPECT_EQ(h.As<flHSlider>(1)->HandleLeft(0.5f), 26);  // (77 x 0.5 + 13) / 26 = 1.98: one step
        EXPECT_GT(ExpectOpaqueShows(h.window.buffer, kAmpSelector.left + 27, kAmpSelector.top, handle, 0, 0, handleMask,
                                    0, 0, 13, 15, trayMask),
                  20);
    }
}

}  // namespace
