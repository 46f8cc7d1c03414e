// Mix-selector buttons of the main window, composed from the real artwork: where the crosses stand
// for the bound levels, and the selector each button toggles on release.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/flCueMixButton.h"
#include "PAL/ViewLib/flIpMixButton.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

constexpr int32_t kGroup = 1, kCue = 2, kIp = 3;
using Crosses = std::vector<std::pair<int32_t, int32_t>>;  // centre column and row of each cross

std::vector<ParamDescriptor> Levels()
{
    std::vector<ParamDescriptor> descriptors;
    for (int32_t i = 0; i < 24; ++i)
        descriptors.push_back(MakeDescriptor("Level", 0, 1, 0, UnitNone, TaperLinear, i));
    return descriptors;
}

// The first cue-mix button of the main window bound to parameters 0..11 and the first input-mix
// button bound to 12..23, in a group that can be hidden.
struct MixWindow {
    MixWindow()
        : page(Levels(),
               {Record(0, {0, 640, 0, 404}, "View", -1, ""), Record(kGroup, {0, 640, 0, 404}, "View", 0, ""),
                Record(kCue, {30, 55, 309, 334}, "flCueMixButton", kGroup, "CueMix.bmp\nPushCueMix.bmp\nBackground.bmp",
                       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
                Record(kIp, {80, 105, 192, 217}, "flIpMixButton", kGroup, "IpMix.bmp\nPushIpMix.bmp\nBackground.bmp",
                       {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23})},
               640, 404)
    {
    }
    MixSelectButton* Button(int32_t control) const { return page.As<MixSelectButton>(control); }
    void Set(int32_t control, int32_t sub, float value) { page.page->SetValue(control, sub, value); }
    // True when the button on screen is its face (background and screen, or the pressed image) with
    // black crosses exactly at the given centres.
    bool Shows(int32_t control, const Crosses& crosses, bool pressed = false)
    {
        page.PaintIfNeeded();
        const Rect r = page.V(control)->GetBounds();
        Bitmap expected(25, 25);
        if (pressed) {
            BitmapCache::Get(control == kCue ? "PushCueMix.bmp" : "PushIpMix.bmp")->CopyTo(&expected, 0, 0, nullptr);
        } else {
            BitmapCache::Get("Background.bmp")->CopyTo(&expected, 0, 0, &r);
            BitmapCache::Get(control == kCue ? "CueMix.bmp" : "IpMix.bmp")->CopyTo(&expected, 5, 4, nullptr);
        }
        for (const auto& [x, y] : crosses)
            for (const auto& [dx, dy] : {std::pair{-1, 0}, {0, 1}, {0, 0}, {0, -1}, {1, 0}})
                expected.SetPixel(x + dx, y + dy, 0);
        for (int32_t y = 0; y < 25; ++y)
            for (int32_t x = 0; x < 25; ++x)
                if (page.window.buffer.GetPixel(r.left + x, r.top + y) != expected.GetPixel(x, y))
                    return false;
        return true;
    }
    TestPage page;
};

Crosses Cue(std::vector<int32_t> rows)
{
    return {{6, rows[0]}, {9, rows[1]}, {12, rows[2]}, {15, rows[3]}, {18, rows[4]}};
}
Crosses Ip(std::vector<int32_t> rows)
{
    return {{6, rows[0]}, {10, rows[1]}, {14, rows[2]}, {18, rows[3]}};
}

TEST(MixSelectDots, ALevelPutsTheCrossCentreBetweenRowFiveAndRowNineteen)
{
    const std::pair<float, int32_t> rows[] = {{1.0f, 0},  {0.999f, 0}, {0.75f, 3},  {0.5f, 7}, {0.25f, 10},
                                              {0.0f, 14}, {-1.0f, 14}, {2.0f, 0},   {std::numeric_limits<float>::quiet_NaN(), 14}};
    for (const auto& [level, row] : rows)
        EXPECT_EQ(MixSelectButton::DotRow(level), row) << level;
}

TEST(MixSelectDots, CueCrossesShowTheCustomLevelsWhileTheCustomMixIsOnElseThePlaybackMix)
{
    ASSERT_TRUE(LoadRealArchive());
    MixWindow w;
    const float custom[] = {1.0f, 0.5f, 0.0f, 0.25f, 0.75f}, playback[] = {0.0f, 0.1f, 0.999f, 0.5f, 1.0f};
    for (int32_t i = 0; i < 5; ++i) {
        w.Set(kCue, i, custom[i]);
        w.Set(kCue, 6 + i, playback[i]);
    }
    EXPECT_TRUE(w.Shows(kCue, Cue({19, 17, 5, 12, 5})));
    w.Set(kCue, 11, 1.0f);
    EXPECT_TRUE(w.Shows(kCue, Cue({5, 12, 19, 15, 8})));
    w.Set(kCue, 11, 0.0f);
    EXPECT_TRUE(w.Shows(kCue, Cue({19, 17, 5, 12, 5})));
    EXPECT_FALSE(w.Shows(kCue, Cue({19, 17, 5, 12, 6})));
}

TEST(MixSelectDots, InputCrossesShowTheBalanceOnTheProcessedOrUnprocessedPair)
{
    ASSERT_TRUE(LoadRealArchive());
    const struct {
        float enable, balance, processed;
        std::vector<int32_t> rows;
    } rows[] = {{0, 0.25f, 0, {5, 12, 19, 19}}, {0, 0.25f, 1, {19, 19, 5, 12}}, {0, 0.5f, 0, {5, 5, 19, 19}},
                {0, 1.0f, 0, {19, 5, 19, 19}},  {0, 0.0f, 1, {19, 19, 5, 19}},  {1, 0.25f, 1, {12, 5, 19, 8}}};
    for (const auto& row : rows) {
        MixWindow w;
        const float custom[] = {0.5f, 1.0f, 0.0f, 0.75f, 0.3f, 0.0f, 1.0f};  // levels, reverb send and enable
        for (int32_t i = 0; i < 7; ++i)
            w.Set(kIp, i, custom[i]);
        w.Set(kIp, 9, row.balance);
        w.Set(kIp, 10, row.processed);
        w.Set(kIp, 11, row.enable);
        EXPECT_TRUE(w.Shows(kIp, Ip(row.rows))) << row.enable << " " << row.balance << " " << row.processed;
    }
}

TEST(MixSelectRouting, ReleaseInsideTogglesTheSelectorAfterThePressHasEnded)
{
    ASSERT_TRUE(LoadRealArchive());
    // Button, the parameter its release toggles, a point inside, and its look at rest.
    const struct {
        int32_t control, selector, x, y;
        Crosses rest;
    } buttons[] = {{kCue, 5, 40, 320, Cue({19, 19, 19, 19, 19})}, {kIp, 20, 90, 200, Ip({5, 19, 19, 19})}};
    for (const auto& b : buttons) {
        MixWindow w;
        struct Watch : ParameterObserver {
            void OnParameterChanged(int32_t index) override
            {
                writes += index == selector;
                heldDuringWrite = heldDuringWrite || button->IsPressed() || button->IsTracking();
            }
            MixSelectButton* button;
            int32_t selector;
            int writes = 0;
            bool heldDuringWrite = false;
        } watch;
        watch.button = w.Button(b.control);
        watch.selector = b.selector;
        w.page.set.AddObserver(&watch);
        w.page.Press(b.x, b.y);
        EXPECT_TRUE(w.Shows(b.control, b.rest, true));
        w.page.Release();
        EXPECT_EQ(w.page.set.GetParameter(b.selector), 1.0f);
        EXPECT_TRUE(w.Shows(b.control, b.rest));
        const Rect r = w.page.V(b.control)->GetBounds();
        w.page.Click(r.right, r.bottom);  // the far corner is inside
        EXPECT_EQ(w.page.set.GetParameter(b.selector), 0.0f);
        w.page.Click(b.x, b.y);  // a double click is two clicks
        w.page.Click(b.x, b.y);
        EXPECT_EQ(w.page.set.GetParameter(b.selector), 0.0f);
        EXPECT_EQ(watch.writes, 4);
        EXPECT_FALSE(watch.heldDuringWrite);
        w.page.set.RemoveObserver(&watch);

        // Released outside, hidden while held, or in a group hidden while held: no write, no press.
        for (int scenario = 0; scenario < 3; ++scenario) {
            MixWindow other;
            other.page.Press(b.x, b.y);
            if (scenario == 0)
                other.page.MoveTo(b.x + 40, b.y);
            else
                other.page.V(scenario == 1 ? b.control : kGroup)->SetHidden(true, other.page.page->GetContext());
            other.page.Release();
            EXPECT_EQ(other.page.set.GetParameter(b.selector), 0.0f) << scenario;
            EXPECT_FALSE(other.Button(b.control)->IsPressed() || other.Button(b.control)->IsTracking()) << scenario;
            EXPECT_TRUE(scenario != 0 || other.Shows(b.control, b.rest));
        }
    }
}

}  // namespace
