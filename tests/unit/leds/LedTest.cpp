// Lamps of the sample-rate and main windows, drawn from the real artwork: the external-clock lamp
// (toggle, grey-out), the rate lamps of a radio group and the effect-chain lamp.
#include <gtest/gtest.h>

#include <limits>

#include "PAL/BitmapCache.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/ViewLib/flFXLed.h"
#include "PAL/ViewLib/flRateLed.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

// The sample-rate window's lamps: 1 the external-clock lamp, 2..6 the rate lamps 6, 4, 3, 2, 1
// (13 x 9 at a pitch of 8).
struct RateWindow {
    RateWindow()
        : page({MakeDescriptor("", 1, 6, 1, UnitNone, TaperStepped),
                MakeDescriptor("Prefer Ext Lock", 0, 1, 0, UnitSwitch, TaperStepped)},
               {Record(0, {0, 93, 0, 93}, "View", -1, ""),
                Record(1, {14, 27, 67, 76}, "flExtLed", 0, "SampleRateLedExt.bmp\nGrayLed.bmp\nSampleRate.bmp", {1}),
                Record(2, {14, 27, 48, 57}, "flRateLed", 0, "SampleRateLed3.bmp\nGrayLed.bmp\nSampleRate.bmp\n6", {0}),
                Record(3, {14, 27, 40, 49}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n4", {0}),
                Record(4, {14, 27, 32, 41}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n3", {0}),
                Record(5, {14, 27, 24, 33}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n2", {0}),
                Record(6, {14, 27, 16, 25}, "flRateLed", 0, "SampleRateLed1.bmp\nGrayLed.bmp\nSampleRate.bmp\n1", {0})},
               93, 93)
    {
        page.page->Paint();
    }
    // The lamp's centre pixel: 'L' lit, 'O' the bare background, 'G' the grey lamp.
    char Look(int32_t control) const
    {
        const Rect r = page.V(control)->GetBounds();
        const uint32_t shown = page.window.buffer.GetPixel(r.left + 6, r.top + 4);
        const char* lit = control == 1 ? "SampleRateLedExt.bmp" : control == 2 ? "SampleRateLed3.bmp"
                                       : control == 6 ? "SampleRateLed1.bmp" : "SampleRateLed2.bmp";
        return shown == BitmapCache::Get(lit)->GetPixel(6, 4) ? 'L'
             : shown == BitmapCache::Get("SampleRate.bmp")->GetPixel(r.left + 6, r.top + 4) ? 'O'
             : shown == BitmapCache::Get("GrayLed.bmp")->GetPixel(2, 2) ? 'G' : '?';
    }
    TestPage page;
};

TEST(ExtLed, ShowsLitOffOrGreyAndTogglesOnlyWhileEnabled)
{
    ASSERT_TRUE(LoadRealArchive());
    // Enabled, value, a click with Alt and Control held or not; the look before the click, the value after.
    const struct {
        bool enabled;
        float value;
        bool alt, control;
        char look;
        float after;
    } rows[] = {{true, 0.0f, false, false, 'O', 1.0f}, {true, 1.0f, false, false, 'L', 0.0f},
                {true, 0.4f, false, false, 'L', 0.0f}, {false, 0.0f, false, false, 'G', 0.0f},
                {false, 1.0f, false, false, 'G', 1.0f}, {true, 0.0f, false, true, 'O', 1.0f},
                {true, 1.0f, true, false, 'L', 0.0f},  {true, 0.0f, true, false, 'O', 0.0f}};
    for (const auto& row : rows) {
        RateWindow w;
        w.page.page->SetValue(1, 0, row.value);
        w.page.As<flExtLed>(1)->SetEnabled(row.enabled);
        w.page.PaintIfNeeded();
        EXPECT_EQ(w.Look(1), row.look) << row.enabled << " " << row.value;
        w.page.window.input.option = row.alt;
        w.page.window.input.command = row.control;
        w.page.Click(27, 76);  // the far corner is inside
        EXPECT_EQ(w.page.set.GetParameter(1), row.after) << row.enabled << " " << row.value << " " << row.alt;
    }
    RateWindow w;  // enabling again shows the value
    w.page.As<flExtLed>(1)->SetEnabled(false);
    w.page.page->SetValue(1, 0, 1.0f);
    w.page.As<flExtLed>(1)->SetEnabled(true);
    w.page.PaintIfNeeded();
    EXPECT_EQ(w.Look(1), 'L');
}

TEST(RateLed, ExactlyTheLampOfTheSelectedCodeIsLitAndAClickSetsItsCode)
{
    ASSERT_TRUE(LoadRealArchive());
    // Plain rate selection, then the looks of the lamps 6, 4, 3, 2, 1.
    const std::pair<float, const char*> rows[] = {{1, "OOOOL"}, {2, "OOOLO"}, {3, "OOLOO"}, {4, "OLOOO"},
                                                  {5, "OOOOO"}, {6, "LOOOO"}};
    for (const auto& [rate, looks] : rows) {
        RateWindow w;
        w.page.page->SetPlainValue(2, 0, rate);
        w.page.PaintIfNeeded();
        std::string shown;
        for (int32_t control = 2; control <= 6; ++control)
            shown += w.Look(control);
        EXPECT_EQ(shown, looks) << rate;
    }
    RateWindow w;
    int writes = 0;
    struct Count : ParameterObserver {
        explicit Count(int& n) : n(n) {}
        void OnParameterChanged(int32_t index) override { n += index == 0; }
        int& n;
    } count(writes);
    w.page.set.AddObserver(&count);
    w.page.Click(20, 44);  // the lamp with code 4
    EXPECT_EQ(w.page.set.GetParameterValue(0), 4.0f);
    w.page.Click(20, 44);  // lit already: the code is written again
    EXPECT_EQ(writes, 2);
    EXPECT_TRUE(w.page.As<flRateLed>(3)->IsLit());
    w.page.set.RemoveObserver(&count);
}

TEST(FXLed, TheTwoSwitchesChooseOneOfFourImagesAndClicksChangeNothing)
{
    ASSERT_TRUE(LoadRealArchive());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float first, second;
        int32_t image;
    } rows[] = {{0, 0, 0}, {1, 0, 1},     {0, 1, 2}, {1, 1, 3},  {0.6f, 0.6f, 1}, {0.999f, 0, 0},
                {nan, 1, 2}, {nan, nan, 0}, {3, 3, 3}, {-1, 0, 0}, {0, -5, 0}};
    const char* names[] = {"selled1.bmp", "selled2.bmp", "selled3.bmp", "selled4.bmp"};
    for (const auto& row : rows) {
        TestPage page({MakeDescriptor("Switch", 0, 1, 0, UnitSwitch, TaperLinear),
                       MakeDescriptor("Order", 0, 1, 0, UnitSwitch, TaperLinear)},
                      {Record(0, {0, 60, 0, 120}, "View", -1, ""),
                       Record(1, {37, 48, 80, 99}, "flFXLed", 0, "selled1.bmp\nselled2.bmp\nselled3.bmp\nselled4.bmp", {0, 1})},
                      60, 120);
        for (int32_t sub : {0, 1}) {  // values as a mix file may hold them
            page.set.GetParameterObject(sub)->SetNormalisedValue(sub == 0 ? row.first : row.second);
            page.page->OnParameterChanged(sub);
        }
        page.Click(40, 90);
        page.PaintIfNeeded();
        EXPECT_EQ(page.As<flFXLed>(1)->GetImageIndex(), row.image) << row.first << " " << row.second;
        // The lamps differ at (5, 5) (upper lens) and (5, 13) (lower lens).
        for (int32_t y : {5, 13})
            EXPECT_EQ(page.window.buffer.GetPixel(37 + 5, 80 + y), BitmapCache::Get(names[row.image])->GetPixel(5, y));
    }
    EXPECT_NE(BitmapCache::Get("selled1.bmp")->GetPixel(5, 5), BitmapCache::Get("selled2.bmp")->GetPixel(5, 5));
    EXPECT_NE(BitmapCache::Get("selled1.bmp")->GetPixel(5, 5), BitmapCache::Get("selled3.bmp")->GetPixel(5, 5));
}

}  // namespace
