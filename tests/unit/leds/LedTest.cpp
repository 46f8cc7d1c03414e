// Lamps: the external-clock lamp (toggle, grey-out), the rate lamps of a radio group and the
// effect-chain lamp, composed from the real artwork of the sample-rate and main windows.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/ViewLib/flFXLed.h"
#include "PAL/ViewLib/flRateLed.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr uint32_t kUnpainted = 0x123456;

std::vector<uint32_t> Area(const Bitmap& bitmap, const Rect& r, int32_t dx = 0, int32_t dy = 0)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            pixels.push_back(bitmap.GetPixel(x + dx, y + dy));
    return pixels;
}

// The sample-rate window's lamps: 1 the external-clock lamp, 2..6 the rate lamps 6, 4, 3, 2, 1.
struct RateWindow {
    explicit RateWindow(const char* extStrings = "SampleRateLedExt.bmp\nGrayLed.bmp\nSampleRate.bmp")
        : page({MakeDescriptor("", 1, 6, 1, UnitNone, TaperStepped),
                MakeDescriptor("Prefer Ext Lock", 0, 1, 0, UnitSwitch, TaperStepped),
                MakeDescriptor("Is card in use", 0, 1, 0, UnitSwitch, TaperStepped)},
               {Record(0, {0, 93, 0, 93}, "View", -1, ""),
                Record(1, {14, 27, 67, 76}, "flExtLed", 0, extStrings, {1}),
                Record(2, {14, 27, 48, 57}, "flRateLed", 0, "SampleRateLed3.bmp\nGrayLed.bmp\nSampleRate.bmp\n6", {0, 2}),
                Record(3, {14, 27, 40, 49}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n4", {0, 2}),
                Record(4, {14, 27, 32, 41}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n3", {0, 2}),
                Record(5, {14, 27, 24, 33}, "flRateLed", 0, "SampleRateLed2.bmp\nGrayLed.bmp\nSampleRate.bmp\n2", {0, 2}),
                Record(6, {14, 27, 16, 25}, "flRateLed", 0, "SampleRateLed1.bmp\nGrayLed.bmp\nSampleRate.bmp\n1", {0, 2})},
               93, 93)
    {
        FillColour(page.window.buffer, kUnpainted);
        page.page->Paint();
    }
    flExtLed* ext() const { return page.As<flExtLed>(1); }
    // A lamp's rows 1..7: the rate lamps stand at a pitch of 8, so their first and last rows are
    // shared with the neighbours and show whichever lamp was drawn last.
    std::vector<uint32_t> Shown(int32_t control) const
    {
        const Rect r = page.V(control)->GetBounds();
        return Area(page.window.buffer, {r.left, r.right, r.top + 1, r.bottom - 1});
    }
    // What a lamp looks like: its lit image, the bare background, or the background with the grey lamp.
    std::vector<uint32_t> Look(int32_t control, char look, const char* litName = "SampleRateLedExt.bmp") const
    {
        const Rect r = page.V(control)->GetBounds();
        if (look == 'L')
            return Area(*BitmapCache::Get(litName), {0, 13, 1, 8});
        Bitmap composed(13, 9);
        BitmapCache::Get("SampleRate.bmp")->CopyTo(&composed, 0, 0, &r);
        if (look == 'G')
            BitmapCache::Get("GrayLed.bmp")->CopyTo(&composed, 4, 2, nullptr);
        return Area(composed, {0, 13, 1, 8});
    }
    TestPage page;
};

TEST(ExtLed, ShowsLitOffOrGreyByValueAndEnabled)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Row {
        bool enabled;
        float value;
        char look;
    };
    const Row rows[] = {{true, 0.0f, 'O'}, {true, 1.0f, 'L'}, {true, 0.4f, 'L'}, {false, 0.0f, 'G'}, {false, 1.0f, 'G'}};
    for (const Row& row : rows) {
        RateWindow w;
        w.page.page->SetValue(1, 0, row.value);
        w.ext()->SetEnabled(row.enabled);
        w.page.PaintIfNeeded();
        EXPECT_EQ(w.Shown(1), w.Look(1, row.look)) << row.enabled << " " << row.value;
    }
    RateWindow w;
    EXPECT_NE(w.Look(1, 'L'), w.Look(1, 'O'));
    EXPECT_NE(w.Look(1, 'G'), w.Look(1, 'O'));
}

TEST(ExtLed, ClicksToggleWhileEnabledAndAreIgnoredWhileGrey)
{
    ASSERT_TRUE(LoadRealArchive());
    RateWindow w;
    w.page.Click(20, 70);
    EXPECT_EQ(w.page.set.GetParameter(1), 1.0f);
    w.page.Click(27, 76);  // the rectangle's far corner still hits
    EXPECT_EQ(w.page.set.GetParameter(1), 0.0f);

    w.page.page->SetValue(1, 0, 0.7f);
    w.page.Click(20, 70);
    EXPECT_EQ(w.page.set.GetParameter(1), 0.0f) << "any value but 0.0 counts as on";

    w.ext()->SetEnabled(false);
    w.page.Click(20, 70);
    EXPECT_EQ(w.page.set.GetParameter(1), 0.0f);
    w.page.page->SetValue(1, 0, 1.0f);
    w.page.PaintIfNeeded();
    EXPECT_EQ(w.Shown(1), w.Look(1, 'G'));
    w.ext()->SetEnabled(true);
    w.page.PaintIfNeeded();
    EXPECT_EQ(w.Shown(1), w.Look(1, 'L'));

    // Without its grey lamp the lamp draws nothing while off or disabled.
    RateWindow bare("SampleRateLedExt.bmp\nNoGrey.bmp\nSampleRate.bmp");
    EXPECT_EQ(bare.Shown(1), std::vector<uint32_t>(13 * 7, kUnpainted));
}

TEST(RateLed, ExactlyTheLampWithTheSelectedCodeIsLit)
{
    ASSERT_TRUE(LoadRealArchive());
    const char* litNames[] = {"", "", "SampleRateLed3.bmp", "SampleRateLed2.bmp", "SampleRateLed2.bmp",
                              "SampleRateLed2.bmp", "SampleRateLed1.bmp"};
    // Plain rate selection, then the lit control (0: none).
    const std::pair<float, int32_t> rows[] = {{1.0f, 6}, {2.0f, 5}, {3.0f, 4}, {4.0f, 3}, {5.0f, 0}, {6.0f, 2}};
    for (const auto& [rate, litControl] : rows) {
        RateWindow w;
        w.page.page->SetPlainValue(2, 0, rate);
        w.page.PaintIfNeeded();
        for (int32_t control = 2; control <= 6; ++control) {
            const bool lit = control == litControl;
            EXPECT_EQ(w.page.As<flRateLed>(control)->IsLit(), lit) << rate << " " << control;
            EXPECT_EQ(w.Shown(control), w.Look(control, lit ? 'L' : 'O', litNames[control])) << rate << " " << control;
        }
    }
}

TEST(ExtLed, AltClickResetsAndControlClickIsAPlainClick)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Row {
        bool option, command;
        float before, after;
    };
    const Row rows[] = {{false, false, 0.0f, 1.0f}, {false, true, 0.0f, 1.0f}, {true, false, 1.0f, 0.0f},
                        {true, true, 1.0f, 0.0f},   {true, false, 0.0f, 0.0f}};
    for (const Row& row : rows) {
        RateWindow w;
        w.page.page->SetValue(1, 0, row.before);
        w.page.window.input.option = row.option;
        w.page.window.input.command = row.command;
        w.page.Click(20, 70);
        EXPECT_EQ(w.page.set.GetParameter(1), row.after) << row.option << row.command << row.before;
    }
}

struct CountingObserver : ParameterObserver {
    void OnParameterChanged(int32_t index) override { changes.push_back(index); }
    std::vector<int32_t> changes;
};

TEST(RateLed, AClickSetsTheLampsCodeEvenWhenItIsLitAlready)
{
    ASSERT_TRUE(LoadRealArchive());
    RateWindow w;
    CountingObserver observer;
    w.page.set.AddObserver(&observer);
    w.page.Click(20, 44);  // the lamp with code 4
    EXPECT_EQ(w.page.set.GetParameterValue(0), 4.0f);
    EXPECT_TRUE(w.page.As<flRateLed>(3)->IsLit());
    EXPECT_FALSE(w.page.As<flRateLed>(6)->IsLit());
    w.page.Click(20, 44);
    EXPECT_EQ(observer.changes, (std::vector<int32_t>{0, 0}));
    // The second parameter is followed without changing the drawing.
    w.page.PaintIfNeeded();
    const auto before = w.Shown(3);
    w.page.page->SetValue(3, 1, 1.0f);
    w.page.PaintIfNeeded();
    EXPECT_EQ(w.Shown(3), before);
    w.page.set.RemoveObserver(&observer);
}

// The main window's first effect-chain lamp, bound to two switches.
struct ChainLamp {
    ChainLamp()
        : page({MakeDescriptor("Switch", 0, 1, 0, UnitSwitch, TaperLinear),
                MakeDescriptor("Order", 0, 1, 0, UnitSwitch, TaperLinear)},
               {Record(0, {0, 60, 0, 120}, "View", -1, ""),
                Record(1, {37, 48, 80, 99}, "flFXLed", 0, "selled1.bmp\nselled2.bmp\nselled3.bmp\nselled4.bmp", {0, 1})},
               60, 120)
    {
        page.page->Paint();
    }
    void Set(int32_t sub, float value)
    {
        page.set.GetParameterObject(sub)->SetNormalisedValue(value);
        page.page->OnParameterChanged(sub);
    }
    TestPage page;
};

TEST(FXLed, TheTwoSwitchesChooseOneOfFourImages)
{
    ASSERT_TRUE(LoadRealArchive());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        float first, second;
        int32_t image;
    };
    const Row rows[] = {{0, 0, 0},   {1, 0, 1},     {0, 1, 2},    {1, 1, 3},   {0.6f, 0.6f, 1}, {0.999f, 0, 0},
                        {nan, 1, 2}, {nan, nan, 0}, {3, 3, 3},    {-1, 0, 0},  {0, -5, 0}};
    const char* names[] = {"selled1.bmp", "selled2.bmp", "selled3.bmp", "selled4.bmp"};
    for (const Row& row : rows) {
        ChainLamp lamp;
        lamp.Set(0, row.first);
        lamp.Set(1, row.second);
        lamp.page.PaintIfNeeded();
        EXPECT_EQ(lamp.page.As<flFXLed>(1)->GetImageIndex(), row.image) << row.first << " " << row.second;
        EXPECT_EQ(Area(lamp.page.window.buffer, {37, 48, 80, 99}), Area(*BitmapCache::Get(names[row.image]), {0, 11, 0, 19}))
            << row.first << " " << row.second;
    }
    EXPECT_NE(Area(*BitmapCache::Get(names[0]), {0, 11, 0, 19}), Area(*BitmapCache::Get(names[3]), {0, 11, 0, 19}));
    // Clicks change nothing.
    ChainLamp lamp;
    lamp.page.Click(40, 90);
    EXPECT_EQ(lamp.page.set.GetParameter(0), 0.0f);
    EXPECT_EQ(lamp.page.set.GetParameter(1), 0.0f);
}

}  // namespace
