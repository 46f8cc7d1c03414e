// Peak meters: the display law, the fall-back and clip hold per tick, the throttling of pushes that
// arrive between ticks, when a meter redraws, and the bars composed from the real artwork.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/flInvPPM.h"
#include "PAL/ViewLib/flPPM.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A meter without artwork and without a page, for the arithmetic.
struct BareMeter {
    BareMeter() { meter.SetBitmaps(nullptr, 0); }
    void Tick() { meter.Broadcast(nullptr); }
    LayoutRecord record = Record(1, {0, 3, 0, 96}, "flPPM", -1, "");
    flPPM meter{&record, nullptr};
};

// A main-window meter (3 x 96 at x 212, y 39) over "Background.bmp", in a page on a fake window.
struct MeterWindow {
    explicit MeterWindow(const char* strings, const char* className = "flPPM", int32_t hidden = 0)
        : page({MakeDescriptor("Unused", 0, 1, 0, UnitNone, TaperLinear)},
               {Record(0, {0, 640, 0, 404}, "View", -1, "", {}, hidden),
                Record(1, {kLeft, kLeft + 3, kTop, kTop + 96}, className, 0, strings)},
               640, 404)
    {
        page.page->Paint();
        page.window.changed.clear();
    }
    LevelMeter* meter() const { return page.As<LevelMeter>(1); }
    // Ticks the window: the meter draws when a level arrived.
    void Tick() { page.Tick(); }
    // The expected column: rows from..to - 1 of bar, the window background elsewhere.
    std::vector<uint32_t> Expected(const char* bar, int32_t from, int32_t to, int32_t x = 1) const
    {
        const Bitmap* lit = BitmapCache::Get(bar);
        const Bitmap* backdrop = BitmapCache::Get("Background.bmp");
        std::vector<uint32_t> column;
        for (int32_t y = 0; y < 96; ++y)
            column.push_back(y >= from && y < to ? lit->GetPixel(x, y) : backdrop->GetPixel(kLeft + x, kTop + y));
        return column;
    }
    std::vector<uint32_t> Shown(int32_t x = 1) const
    {
        std::vector<uint32_t> column;
        for (int32_t y = 0; y < 96; ++y)
            column.push_back(page.window.buffer.GetPixel(kLeft + x, kTop + y));
        return column;
    }
    static constexpr int32_t kLeft = 212, kTop = 39;
    TestPage page;
};

TEST(PeakMeterLaw, AnEmptyMeterShowsTheSquareRootOfTheMagnitude)
{
    struct Row {
        float input;
        float level;
        int32_t clipHold;
    };
    const Row rows[] = {
        {0.0f, 0.0f, 0},        {0.01f, 0.0f, 0},      {0.0001f, 0.0f, 0},   {0.25f, 4.0f / 9.0f, 0},
        {-0.25f, 4.0f / 9.0f, 0}, {0.81f, 8.0f / 9.0f, 0}, {1.0f, 1.0f, 5},      {-1.0f, 1.0f, 5},
        {4.0f, 1.0f, 5},        {kInf, 1.0f, 5},       {-kInf, 1.0f, 5},     {kNaN, 0.0f, 0},
    };
    for (const Row& row : rows) {
        BareMeter m;
        m.meter.SetLevel(row.input);
        EXPECT_FLOAT_EQ(m.meter.GetLevel(), row.level) << row.input;
        EXPECT_EQ(m.meter.GetClipHold(), row.clipHold) << row.input;
        EXPECT_TRUE(m.meter.HasNewLevel());
    }
}

TEST(PeakMeterLaw, AfterAFullScalePeakTheBarFallsByNineTenthsPerTick)
{
    BareMeter m;
    m.meter.SetLevel(1.0f);
    float expected = 1.0f;
    for (int tick = 1; tick <= 10; ++tick) {
        m.Tick();
        m.meter.SetLevel(0.0f);
        expected *= 0.9f;
        EXPECT_FLOAT_EQ(m.meter.GetLevel(), expected) << tick;
    }
    EXPECT_NEAR(m.meter.GetLevel(), 0.3487f, 0.0001f);  // about 35% after one second
    // A rise is instant: a new peak above the falling bar replaces it.
    m.Tick();
    m.meter.SetLevel(0.25f);
    EXPECT_FLOAT_EQ(m.meter.GetLevel(), 4.0f / 9.0f);
}

TEST(PeakMeterLaw, TheClipHoldCountsDownPerTickAndEachFullScalePeakRestartsIt)
{
    // 'F' pushes full scale, '0' pushes silence, 'T' ticks; then the hold.
    struct Step {
        char event;
        int32_t clipHold;
    };
    const Step steps[] = {{'F', 5}, {'T', 4}, {'0', 4}, {'T', 3}, {'T', 2}, {'F', 5}, {'T', 4}, {'0', 4},
                          {'T', 3}, {'T', 2}, {'T', 1}, {'T', 0}, {'T', 0}, {'0', 0}};
    BareMeter m;
    int i = 0;
    for (const Step& step : steps) {
        if (step.event == 'T')
            m.Tick();
        else
            m.meter.SetLevel(step.event == 'F' ? 1.0f : 0.0f);
        EXPECT_EQ(m.meter.GetClipHold(), step.clipHold) << "step " << i++;
    }
}

// The Part's law for one push per tick: fall back, then rise to the new peak.
float Reference(float level, float value)
{
    return std::max(level * 0.9f, flPPM::DisplayLevel(value));
}

TEST(PeakMeterThrottle, OnePushPerTickFollowsTheLawAndManyPushesKeepTheTicksPeak)
{
    const float signal[] = {0.5f, 0.1f, 0.0f, 0.3f, 0.9f, 0.2f, 0.0f, 0.0f, 0.04f, 0.6f, 0.0f, 0.7f};
    // One push per tick (the main window's timer).
    BareMeter once;
    float expected = 0.0f;
    for (float value : signal) {
        once.meter.SetLevel(value);
        expected = Reference(expected, value);
        EXPECT_FLOAT_EQ(once.meter.GetLevel(), expected) << value;
        once.Tick();
    }
    // Idle pushes between ticks: the tick's value surrounded by quieter ones, in either order. The
    // bar shows exactly what one push of the loudest value would show.
    BareMeter idle;
    expected = 0.0f;
    for (float value : signal) {
        for (float quieter : {value * 0.5f, -value, value * 0.25f, 0.0f})
            idle.meter.SetLevel(quieter);
        expected = Reference(expected, value);
        EXPECT_FLOAT_EQ(idle.meter.GetLevel(), expected) << value;
        idle.Tick();
    }
}

TEST(PeakMeterThrottle, TheBarFallsOncePerTickHoweverOftenLevelsArrive)
{
    struct Row {
        int ticksBefore;  // ticks since the full-scale push
        int pushes;       // silent pushes after them
        float level;
    };
    const Row rows[] = {{0, 5, 1.0f}, {1, 1, 0.9f}, {1, 50, 0.9f}, {2, 1, 0.81f}, {3, 4, 0.729f}};
    for (const Row& row : rows) {
        BareMeter m;
        m.meter.SetLevel(1.0f);
        for (int t = 0; t < row.ticksBefore; ++t)
            m.Tick();
        for (int p = 0; p < row.pushes; ++p)
            m.meter.SetLevel(0.0f);
        EXPECT_FLOAT_EQ(m.meter.GetLevel(), row.level) << row.ticksBefore << " ticks, " << row.pushes << " pushes";
    }
    // A long silence empties the bar without running away.
    BareMeter m;
    m.meter.SetLevel(1.0f);
    for (int t = 0; t < 100000; ++t)
        m.Tick();
    m.meter.SetLevel(0.0f);
    EXPECT_LT(m.meter.GetLevel(), 1e-6f);
}

TEST(PeakMeterDrawing, AMeterIsDrawnByTheTickAfterANewLevelAndOnlyThen)
{
    ASSERT_TRUE(LoadRealArchive());
    MeterWindow w("meter.bmp\nBackground.bmp\nmeterclip.bmp");
    w.Tick();  // a new meter counts as changed: its first tick draws it
    EXPECT_EQ(w.page.window.changed.size(), 1u);
    w.page.window.changed.clear();
    w.Tick();
    EXPECT_TRUE(w.page.window.changed.empty()) << "no level, no drawing";
    w.meter()->SetLevel(0.25f);
    w.meter()->SetLevel(0.5f);
    EXPECT_TRUE(w.page.window.changed.empty()) << "a push draws nothing";
    w.Tick();
    ASSERT_EQ(w.page.window.changed.size(), 1u);
    EXPECT_EQ(w.page.window.changed[0].left, MeterWindow::kLeft);
    w.page.window.changed.clear();
    w.Tick();
    EXPECT_TRUE(w.page.window.changed.empty());

    // Hidden, or inside a hidden parent, a meter draws nothing on its tick.
    for (bool hideParent : {false, true}) {
        MeterWindow hidden("meter.bmp\nBackground.bmp\nmeterclip.bmp", "flPPM", hideParent ? 1 : 0);
        if (!hideParent)
            hidden.meter()->SetHidden(true, nullptr);
        hidden.Tick();
        hidden.page.window.changed.clear();
        hidden.meter()->SetLevel(1.0f);
        hidden.Tick();
        EXPECT_TRUE(hidden.page.window.changed.empty()) << hideParent;
    }
}

TEST(PeakMeterDrawing, TheBarRisesFromTheBottomToTheDisplayedLevel)
{
    ASSERT_TRUE(LoadRealArchive());
    // Input, then the first lit row: 96 - trunc(96 x level).
    const std::pair<float, int32_t> rows[] = {{0.0f, 96}, {0.01f, 96}, {0.25f, 54}, {0.5f, 96 - 64}};
    for (const auto& [input, top] : rows) {
        MeterWindow w("meter.bmp\nBackground.bmp\nmeterclip.bmp");
        w.meter()->SetLevel(input);
        w.Tick();
        EXPECT_EQ(w.Shown(), w.Expected("meter.bmp", top, 96)) << input;
        EXPECT_EQ(w.Shown(0), w.Expected("meter.bmp", top, 96, 0)) << input;
    }
    // The bar and the unlit meter of the backdrop differ, so the comparison can tell them apart.
    MeterWindow probe("meter.bmp\nBackground.bmp");
    EXPECT_NE(probe.Expected("meter.bmp", 0, 96), probe.Expected("meter.bmp", 96, 96));
}

TEST(PeakMeterDrawing, TheClipBarShowsWhileTheHoldRunsAndTheNormalBarAfterIt)
{
    ASSERT_TRUE(LoadRealArchive());
    MeterWindow w("meter.bmp\nBackground.bmp\nmeterclip.bmp");
    w.meter()->SetLevel(1.0f);
    w.Tick();
    EXPECT_EQ(w.Shown(), w.Expected("meterclip.bmp", 0, 96));
    EXPECT_NE(w.Shown(), w.Expected("meter.bmp", 0, 96));
    float level = 1.0f;
    for (int tick = 2; tick <= 5; ++tick) {
        w.meter()->SetLevel(0.0f);
        w.Tick();
        level *= 0.9f;
        const int32_t top = 96 - int32_t(96.0f * level);
        EXPECT_EQ(w.Shown(), w.Expected(tick < 5 ? "meterclip.bmp" : "meter.bmp", top, 96)) << tick;
    }

    // Without a clip bar the hold runs but the normal bar is drawn; without a bar only the background.
    MeterWindow noClip("meter.bmp\nBackground.bmp");
    noClip.meter()->SetLevel(1.0f);
    noClip.Tick();
    EXPECT_EQ(static_cast<flPPM*>(noClip.meter())->GetClipHold(), 4);
    EXPECT_EQ(noClip.Shown(), noClip.Expected("meter.bmp", 0, 96));
    MeterWindow noBar("NoSuchMeter.bmp\nBackground.bmp\nmeterclip.bmp");
    noBar.meter()->SetLevel(1.0f);
    noBar.Tick();
    EXPECT_EQ(noBar.Shown(), noBar.Expected("meterclip.bmp", 96, 96));
}

TEST(GainReductionMeter, TheRawValueHangsFromTheTopThroughTheSharedLevelSetter)
{
    ASSERT_TRUE(LoadRealArchive());
    // Value, then the lit rows 0..trunc(96 x value) - 1.
    const std::pair<float, int32_t> rows[] = {{0.25f, 24}, {0.0f, 0}, {1.0f, 96}, {0.01f, 0},
                                              {-0.5f, 0},  {3.0f, 96}, {kNaN, 0}};
    for (const auto& [value, lit] : rows) {
        MeterWindow w("grmeter.bmp\nBackground.bmp", "flInvPPM");
        LevelMeter* meter = w.meter();  // the compressor panel drives both meters through one type
        meter->SetLevel(value);
        EXPECT_FLOAT_EQ(meter->GetLevel(), std::isnan(value) ? 0.0f : std::min(1.0f, std::max(0.0f, value)));
        w.Tick();
        EXPECT_EQ(w.Shown(), w.Expected("grmeter.bmp", 0, lit)) << value;
    }
    // The last value before a tick is the one drawn, once.
    MeterWindow w("grmeter.bmp\nBackground.bmp", "flInvPPM");
    w.meter()->SetLevel(0.75f);
    w.meter()->SetLevel(0.25f);
    w.Tick();
    EXPECT_EQ(w.Shown(), w.Expected("grmeter.bmp", 0, 24));
    EXPECT_EQ(w.page.window.changed.size(), 1u);
}

}  // namespace
