// Mix-selector buttons: where the crosses stand for the bound levels, the selector each one toggles
// on release, and the button composed from the real artwork of the main window.
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
const Rect kCueRect = {30, 55, 309, 334}, kIpRect = {80, 105, 192, 217};

std::vector<ParamDescriptor> Levels(int32_t count)
{
    std::vector<ParamDescriptor> descriptors;
    for (int32_t i = 0; i < count; ++i)
        descriptors.push_back(MakeDescriptor("Level", 0, 1, 0, UnitNone, TaperLinear, i));
    return descriptors;
}

// The first cue-mix button of the main window bound to parameters 0..11, the first input-mix button
// to 12..23, both inside a group that can be hidden.
struct MixWindow {
    MixWindow()
        : page(Levels(24),
               {Record(0, {0, 640, 0, 404}, "View", -1, ""), Record(kGroup, {0, 640, 0, 404}, "View", 0, ""),
                Record(kCue, kCueRect, "flCueMixButton", kGroup, "CueMix.bmp\nPushCueMix.bmp\nBackground.bmp",
                       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}),
                Record(kIp, kIpRect, "flIpMixButton", kGroup, "IpMix.bmp\nPushIpMix.bmp\nBackground.bmp",
                       {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23})},
               640, 404)
    {
        page.page->Paint();
    }
    MixSelectButton* Button(int32_t control) const { return page.As<MixSelectButton>(control); }
    void Set(int32_t control, int32_t sub, float value) { page.page->SetValue(control, sub, value); }
    std::vector<uint32_t> Shown(int32_t control)
    {
        page.PaintIfNeeded();
        const Rect r = page.V(control)->GetBounds();
        std::vector<uint32_t> pixels;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x)
                pixels.push_back(page.window.buffer.GetPixel(x, y));
        return pixels;
    }
    // The button as it should look: background and button image (or the pressed image), and a black
    // cross centred at (column, row) for each entry.
    static std::vector<uint32_t> Look(int32_t control, const std::vector<std::pair<int32_t, int32_t>>& crosses,
                                      bool pressed = false)
    {
        const Rect r = control == kCue ? kCueRect : kIpRect;
        Bitmap image(25, 25);
        if (pressed) {
            BitmapCache::Get(control == kCue ? "PushCueMix.bmp" : "PushIpMix.bmp")->CopyTo(&image, 0, 0, nullptr);
        } else {
            BitmapCache::Get("Background.bmp")->CopyTo(&image, 0, 0, &r);
            BitmapCache::Get(control == kCue ? "CueMix.bmp" : "IpMix.bmp")->CopyTo(&image, 5, 4, nullptr);
        }
        for (const auto& [x, y] : crosses)
            for (const auto& [dx, dy] : {std::pair{-1, 0}, {0, 1}, {0, 0}, {0, -1}, {1, 0}})
                image.SetPixel(x + dx, y + dy, 0);
        std::vector<uint32_t> pixels;
        for (int32_t y = 0; y < 25; ++y)
            for (int32_t x = 0; x < 25; ++x)
                pixels.push_back(image.GetPixel(x, y));
        return pixels;
    }
    TestPage page;
};

std::vector<std::pair<int32_t, int32_t>> Crosses(const std::vector<int32_t>& columns, const std::vector<int32_t>& rows)
{
    std::vector<std::pair<int32_t, int32_t>> crosses;
    for (size_t i = 0; i < columns.size(); ++i)
        crosses.emplace_back(columns[i], rows[i]);
    return crosses;
}

const std::vector<int32_t> kCueColumns = {6, 9, 12, 15, 18}, kIpColumns = {6, 10, 14, 18};

TEST(MixSelectDots, ALevelPutsTheCrossCentreBetweenRowFiveAndRowNineteen)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, int32_t> rows[] = {{1.0f, 0}, {0.999f, 0}, {0.75f, 3}, {0.5f, 7}, {0.25f, 10}, {0.1f, 12},
                                              {0.0f, 14}, {-1.0f, 14}, {2.0f, 0}, {nan, 14}};
    for (const auto& [level, row] : rows)
        EXPECT_EQ(MixSelectButton::DotRow(level), row) << level;
}

TEST(MixSelectDots, CueCrossesShowTheCustomLevelsOnlyWhileTheCustomMixIsOn)
{
    ASSERT_TRUE(LoadRealArchive());
    MixWindow w;
    const float custom[] = {1.0f, 0.5f, 0.0f, 0.25f, 0.75f}, playback[] = {0.0f, 0.1f, 0.999f, 0.5f, 1.0f};
    for (int32_t i = 0; i < 5; ++i) {
        w.Set(kCue, i, custom[i]);
        w.Set(kCue, 6 + i, playback[i]);
    }
    EXPECT_EQ(w.Shown(kCue), MixWindow::Look(kCue, Crosses(kCueColumns, {19, 17, 5, 12, 5})));
    w.Set(kCue, 11, 1.0f);
    EXPECT_EQ(w.Shown(kCue), MixWindow::Look(kCue, Crosses(kCueColumns, {5, 12, 19, 15, 8})));
    w.Set(kCue, 11, 0.0f);
    EXPECT_EQ(w.Shown(kCue), MixWindow::Look(kCue, Crosses(kCueColumns, {19, 17, 5, 12, 5})));
    EXPECT_NE(MixWindow::Look(kCue, {}), MixWindow::Look(kCue, {}, true));
}

TEST(MixSelectDots, InputCrossesShowTheBalanceOnTheProcessedOrUnprocessedPair)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Row {
        float enable, balance, processed;
        std::vector<int32_t> centres;
    };
    const Row rows[] = {
        {0, 0.25f, 0, {5, 12, 19, 19}}, {0, 0.25f, 1, {19, 19, 5, 12}}, {0, 0.5f, 0, {5, 5, 19, 19}},
        {0, 1.0f, 0, {19, 5, 19, 19}},  {0, 0.0f, 1, {19, 19, 5, 19}},  {1, 0.25f, 1, {12, 5, 19, 8}},
    };
    for (const Row& row : rows) {
        MixWindow w;
        const float custom[] = {0.5f, 1.0f, 0.0f, 0.75f};
        for (int32_t i = 0; i < 4; ++i)
            w.Set(kIp, i, custom[i]);
        w.Set(kIp, 4, 0.3f);  // reverb send and enable: stored, never shown
        w.Set(kIp, 6, 1.0f);
        w.Set(kIp, 9, row.balance);
        w.Set(kIp, 10, row.processed);
        w.Set(kIp, 11, row.enable);
        EXPECT_EQ(w.Shown(kIp), MixWindow::Look(kIp, Crosses(kIpColumns, row.centres)))
            << row.enable << " " << row.balance << " " << row.processed;
    }
}

struct SelectorWatch : ParameterObserver {
    void OnParameterChanged(int32_t index) override
    {
        if (index == selector) {
            ++writes;
            pressedDuringWrite = pressedDuringWrite || button->IsPressed() || button->IsTracking();
        }
    }
    MixSelectButton* button;
    int32_t selector;
    int writes = 0;
    bool pressedDuringWrite = false;
};

// Each button with the parameter its release toggles and a point inside it.
struct Selector {
    int32_t control;
    int32_t parameter;
    int32_t x, y;
};
const Selector kSelectors[] = {{kCue, 5, 40, 320}, {kIp, 12 + 8, 90, 200}};

TEST(MixSelectRouting, ReleaseInsideTogglesTheSelectorAfterThePressEnds)
{
    ASSERT_TRUE(LoadRealArchive());
    for (const Selector& s : kSelectors) {
        MixWindow w;
        SelectorWatch watch;
        watch.button = w.Button(s.control);
        watch.selector = s.parameter;
        w.page.set.AddObserver(&watch);
        w.page.Press(s.x, s.y);
        EXPECT_TRUE(w.Button(s.control)->IsPressed());
        EXPECT_EQ(watch.writes, 0) << "nothing is written on the press";
        w.page.Release();
        EXPECT_EQ(w.page.set.GetParameter(s.parameter), 1.0f) << s.control;
        EXPECT_EQ(watch.writes, 1);
        EXPECT_FALSE(watch.pressedDuringWrite) << "the press ends before the selector is written";
        EXPECT_FALSE(w.Button(s.control)->IsPressed());
        // The far corner of the rectangle is inside.
        const Rect r = w.page.V(s.control)->GetBounds();
        w.page.Click(r.right, r.bottom);
        EXPECT_EQ(w.page.set.GetParameter(s.parameter), 0.0f) << s.control;
        // A double click is two clicks: the selector ends where it started.
        w.page.Click(s.x, s.y);
        w.page.Click(s.x, s.y);
        EXPECT_EQ(w.page.set.GetParameter(s.parameter), 0.0f) << s.control;
        EXPECT_EQ(watch.writes, 4);
        w.page.set.RemoveObserver(&watch);
    }
}

TEST(MixSelectRouting, ThePressedImageShowsWhileHeldWithTheCrossesOverIt)
{
    ASSERT_TRUE(LoadRealArchive());
    MixWindow w;
    w.Set(kCue, 11, 1.0f);
    w.Set(kCue, 2, 0.5f);
    w.page.Press(40, 320);
    EXPECT_EQ(w.Shown(kCue), MixWindow::Look(kCue, Crosses(kCueColumns, {19, 19, 12, 19, 19}), true));
    w.page.Release();
    EXPECT_EQ(w.Shown(kCue), MixWindow::Look(kCue, Crosses(kCueColumns, {19, 19, 12, 19, 19})));
}

TEST(MixSelectRouting, ReleaseOutsideOrWhileHiddenEndsThePressWithoutAWrite)
{
    ASSERT_TRUE(LoadRealArchive());
    for (const Selector& s : kSelectors) {
        // The pointer leaves the button before the release.
        MixWindow outside;
        outside.page.Press(s.x, s.y);
        outside.page.MoveTo(s.x + 40, s.y);
        outside.page.Release();
        EXPECT_EQ(outside.page.set.GetParameter(s.parameter), 0.0f) << s.control;
        EXPECT_FALSE(outside.Button(s.control)->IsPressed());
        // At rest: every level 0, so the input mix shows balance 0 (all left) on crosses 1 and 2.
        const auto rest = s.control == kCue ? Crosses(kCueColumns, {19, 19, 19, 19, 19})
                                            : Crosses(kIpColumns, {5, 19, 19, 19});
        EXPECT_EQ(outside.Shown(s.control), MixWindow::Look(s.control, rest));

        // The button is hidden while held.
        MixWindow hidden;
        hidden.page.Press(s.x, s.y);
        hidden.Button(s.control)->SetHidden(true, hidden.page.page->GetContext());
        EXPECT_FALSE(hidden.Button(s.control)->IsPressed());
        EXPECT_FALSE(hidden.Button(s.control)->IsTracking());
        hidden.page.Release();
        EXPECT_EQ(hidden.page.set.GetParameter(s.parameter), 0.0f) << s.control;

        // Its group is hidden while it is held.
        MixWindow group;
        group.page.Press(s.x, s.y);
        group.page.V(kGroup)->SetHidden(true, group.page.page->GetContext());
        group.page.Release();
        EXPECT_EQ(group.page.set.GetParameter(s.parameter), 0.0f) << s.control;
        EXPECT_FALSE(group.Button(s.control)->IsPressed());
    }
}

}  // namespace
