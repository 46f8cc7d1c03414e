// Peak meters: the display law, fall-back and clip hold per tick, pushes between ticks, and the
// bars drawn from the real artwork.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/flInvPPM.h"
#include "PAL/ViewLib/flPPM.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

// A meter without artwork or page, for the arithmetic.
struct BareMeter {
    BareMeter() { meter.SetBitmaps(nullptr, 0); }
    LayoutRecord record = Record(1, {0, 3, 0, 96}, "flPPM", -1, "");
    flPPM meter{&record, nullptr};
};

TEST(PeakMeterLaw, AnEmptyMeterShowsTheSquareRootOfTheMagnitude)
{
    const struct {
        float input, level;
        int32_t clipHold;
    } rows[] = {{0.0f, 0, 0},   {0.01f, 0, 0},        {0.25f, 4.0f / 9, 0}, {-0.25f, 4.0f / 9, 0}, {0.81f, 8.0f / 9, 0},
                {1.0f, 1, 5},   {-1.0f, 1, 5},        {4.0f, 1, 5},         {kInf, 1, 5},           {kNaN, 0, 0}};
    for (const auto& row : rows) {
        BareMeter m;
        m.meter.SetLevel(row.input);
        EXPECT_FLOAT_EQ(m.meter.GetLevel(), row.level) << row.input;
        EXPECT_EQ(m.meter.GetClipHold(), row.clipHold) << row.input;
    }
}

TEST(PeakMeterLaw, TheBarFallsByNineTenthsPerTickAndEachFullScalePeakRestartsTheClipHold)
{
    // 'F' pushes full scale, '0' silence, 'T' ticks; then the level and the clip hold.
    const struct {
        char event;
        float level;
        int32_t clipHold;
    } steps[] = {{'F', 1, 5},     {'T', 1, 4},     {'0', 0.9f, 4}, {'0', 0.9f, 4},      {'T', 0.9f, 3},
                 {'0', 0.81f, 3}, {'T', 0.81f, 2}, {'F', 1, 5},    {'T', 1, 4},         {'T', 1, 3},
                 {'0', 0.81f, 3}, {'T', 0.81f, 2}, {'T', 0.81f, 1}, {'T', 0.81f, 0},    {'T', 0.81f, 0},
                 {'0', 0.81f * 0.9f * 0.9f * 0.9f * 0.9f, 0}};
    BareMeter m;
    int i = 0;
    for (const auto& step : steps) {
        if (step.event == 'T')
            m.meter.Broadcast(nullptr);
        else
            m.meter.SetLevel(step.event == 'F' ? 1.0f : 0.0f);
        EXPECT_FLOAT_EQ(m.meter.GetLevel(), step.level) << "step " << i;
        EXPECT_EQ(m.meter.GetClipHold(), step.clipHold) << "step " << i++;
    }
}

TEST(PeakMeterThrottle, IdlePushesBetweenTicksShowWhatOnePushOfTheirPeakWould)
{
    const float signal[] = {0.5f, 0.1f, 0.0f, 0.3f, 0.9f, 0.2f, 0.0f, 0.0f, 0.04f, 0.6f, 0.0f, 0.7f};
    BareMeter once, idle;
    float expected = 0.0f;
    for (float value : signal) {
        once.meter.SetLevel(value);  // the main window: one push per tick
        for (float v : {value * 0.5f, -value, value * 0.25f, 0.0f})  // an effect panel: every idle call
            idle.meter.SetLevel(v);
        expected = std::max(expected * 0.9f, flPPM::DisplayLevel(value));
        EXPECT_FLOAT_EQ(once.meter.GetLevel(), expected) << value;
        EXPECT_FLOAT_EQ(idle.meter.GetLevel(), expected) << value;
        once.meter.Broadcast(nullptr);
        idle.meter.Broadcast(nullptr);
    }
    for (int t = 0; t < 100000; ++t)  // a long silence empties the bar
        idle.meter.Broadcast(nullptr);
    idle.meter.SetLevel(0.0f);
    EXPECT_LT(idle.meter.GetLevel(), 1e-6f);
}

// A main-window meter (3 x 96 at x 212, y 39) over "Background.bmp", in a page on a fake window.
struct MeterWindow {
    explicit MeterWindow(const char* strings, const char* className = "flPPM", int32_t hidden = 0)
        : page({MakeDescriptor("Unused", 0, 1, 0, UnitNone, TaperLinear)},
               {Record(0, {0, 640, 0, 404}, "View", -1, "", {}, hidden),
                Record(1, {212, 215, 39, 135}, className, 0, strings)},
               640, 404)
    {
        page.Tick();  // a new meter's first tick draws it
        page.window.changed.clear();
    }
    LevelMeter* meter() const { return page.As<LevelMeter>(1); }
    // Column 1 of the meter: rows from..to - 1 of bar over the window background.
    static std::vector<uint32_t> Expected(const char* bar, int32_t from, int32_t to)
    {
        std::vector<uint32_t> column;
        for (int32_t y = 0; y < 96; ++y)
            column.push_back(y >= from && y < to ? BitmapCache::Get(bar)->GetPixel(1, y)
                                                 : BitmapCache::Get("Background.bmp")->GetPixel(213, 39 + y));
        return column;
    }
    std::vector<uint32_t> Shown() const
    {
        std::vector<uint32_t> column;
        for (int32_t y = 0; y < 96; ++y)
            column.push_back(page.window.buffer.GetPixel(213, 39 + y));
        return column;
    }
    TestPage page;
};

TEST(PeakMeterDrawing, AVisibleMeterIsDrawnOnceByTheTickAfterANewLevel)
{
    ASSERT_TRUE(LoadRealArchive());
    MeterWindow w("meter.bmp\nBackground.bmp\nmeterclip.bmp");
    w.page.Tick();
    EXPECT_TRUE(w.page.window.changed.empty()) << "no level, no drawing";
    w.meter()->SetLevel(0.25f);
    w.meter()->SetLevel(0.5f);
    EXPECT_TRUE(w.page.window.changed.empty()) << "a push draws nothing";
    w.page.Tick();
    EXPECT_EQ(w.page.window.changed.size(), 1u);
    // A level that leaves the bar as it stands draws nothing: a silent input fed zeros costs nothing.
    for (int tick = 0; tick < 80; ++tick) {
        w.meter()->SetLevel(0.0f);
        w.page.Tick();
    }
    w.page.window.changed.clear();
    w.meter()->SetLevel(0.0f);
    w.page.Tick();
    EXPECT_TRUE(w.page.window.changed.empty()) << "the same empty bar again";
    for (bool hideParent : {false, true}) {
        MeterWindow hidden("meter.bmp\nBackground.bmp\nmeterclip.bmp", "flPPM", hideParent);
        hidden.meter()->SetHidden(!hideParent, nullptr);
        hidden.page.window.changed.clear();
        hidden.meter()->SetLevel(1.0f);
        hidden.page.Tick();
        EXPECT_TRUE(hidden.page.window.changed.empty()) << hideParent;
    }
}

TEST(PeakMeterDrawing, BarsRiseFromTheBottomInTheClipColourWhileTheHoldRuns)
{
    ASSERT_TRUE(LoadRealArchive());
    ASSERT_NE(MeterWindow::Expected("meter.bmp", 0, 96), MeterWindow::Expected("meter.bmp", 96, 96));
    ASSERT_NE(MeterWindow::Expected("meter.bmp", 0, 96), MeterWindow::Expected("meterclip.bmp", 0, 96));
    // Strings, level pushed once per tick, and the bar shown after each tick.
    const struct {
        const char* strings;
        std::vector<float> levels;
        const char* bar;
        int32_t top;
    } rows[] = {
        {"meter.bmp\nBackground.bmp\nmeterclip.bmp", {0.25f}, "meter.bmp", 96 - 42},
        {"meter.bmp\nBackground.bmp\nmeterclip.bmp", {0.01f}, "meter.bmp", 96},
        {"meter.bmp\nBackground.bmp\nmeterclip.bmp", {1.0f}, "meterclip.bmp", 0},
        {"meter.bmp\nBackground.bmp\nmeterclip.bmp", {1.0f, 0, 0, 0}, "meterclip.bmp", 96 - 69},  // hold 1
        {"meter.bmp\nBackground.bmp\nmeterclip.bmp", {1.0f, 0, 0, 0, 0}, "meter.bmp", 96 - 62},   // hold over
        {"meter.bmp\nBackground.bmp", {1.0f}, "meter.bmp", 0},                  // no clip bar
        {"NoSuchMeter.bmp\nBackground.bmp\nmeterclip.bmp", {1.0f}, "meter.bmp", 96},  // no bar
    };
    for (const auto& row : rows) {
        MeterWindow w(row.strings);
        for (float level : row.levels) {
            w.meter()->SetLevel(level);
            w.page.Tick();
        }
        EXPECT_EQ(w.Shown(), MeterWindow::Expected(row.bar, row.top, 96)) << row.strings << " " << row.levels.size();
    }
}

// A paint of the page clipped to a neighbour's rectangle draws only part of the bar: the tick after the
// next level draws the rest.
TEST(PeakMeterDrawing, ABarThatAClipCutShortIsDrawnWholeByTheNextTick)
{
    ASSERT_TRUE(LoadRealArchive());
    MeterWindow w("grmeter.bmp\nBackground.bmp", "flInvPPM");
    w.meter()->SetLevel(1.0f);
    w.page.Tick();
    w.meter()->SetLevel(0.25f);
    DrawContext* context = w.page.page->GetContext();
    const Rect clip = {200, 230, 0, 80};  // the meter's rows 0..40
    context->BeginDraw();
    context->SetClip(&clip);
    w.meter()->Paint(context);
    context->SetClip(nullptr);
    context->EndDraw();
    w.page.Tick();
    EXPECT_EQ(w.Shown(), MeterWindow::Expected("grmeter.bmp", 0, 24));
}

TEST(GainReductionMeter, TheValueHangsFromTheTopThroughTheSharedLevelSetter)
{
    ASSERT_TRUE(LoadRealArchive());
    // Values pushed before one tick (the last counts), then the lit rows 0..lit - 1.
    const std::pair<std::vector<float>, int32_t> rows[] = {
        {{0.25f}, 24}, {{0.0f}, 0}, {{1.0f}, 96}, {{0.75f, 0.25f}, 24}, {{-0.5f}, 0}, {{3.0f}, 96}, {{kNaN}, 0}};
    for (const auto& [values, lit] : rows) {
        MeterWindow w("grmeter.bmp\nBackground.bmp", "flInvPPM");
        for (float value : values)
            w.meter()->SetLevel(value);  // the compressor panel drives both meters through one type
        w.page.Tick();
        EXPECT_EQ(w.Shown(), MeterWindow::Expected("grmeter.bmp", 0, lit)) << values.back();
    }
}

}  // namespace
