// The main-window pages: each on its own table, the level routing of the two pages with meters, the
// pages without meters, and the classes of the records that code addresses by number.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/ConnectionLostPage.h"
#include "PAL/HighRatePage.h"
#include "PAL/LayoutTables.h"
#include "PAL/MainPage.h"
#include "PAL/MeterLevels.h"
#include "PAL/ParameterSet.h"
#include "PAL/ShrinkPage.h"
#include "PAL/TinyPage.h"
#include "PAL/ViewLib/flPPM.h"
#include "platform/DebugLog.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/FakeWindow.h"
#include "support/LayoutRecordMaker.h"
#include "support/RealArchive.h"

namespace {

class FakeLevels : public MeterLevels {
public:
    float Meter(int slot) const override
    {
        ++reads[size_t(slot)];
        return slots[size_t(slot)];
    }
    std::array<float, 18> slots{};
    mutable std::array<int, 18> reads{};
};

// Distinct levels in slots 0..5 (and something in the slots no main page reads).
FakeLevels DistinctLevels()
{
    FakeLevels levels;
    const float values[6] = {0.04f, 0.09f, 0.16f, 0.25f, 0.36f, 1.0f};
    for (int s = 0; s < 6; ++s)
        levels.slots[size_t(s)] = values[s];
    for (int s = 6; s < 18; ++s)
        levels.slots[size_t(s)] = 0.5f;
    return levels;
}

struct MainSet {
    ParameterSet set{kMainParamDescriptors, kMainParamCount};
};

// Record number -> the level slot a page routes there, for each page with meters.
struct Routing {
    const char* name;
    LayoutWindow window;
    std::vector<std::pair<int32_t, int32_t>> meterSlots;  // (record, slot) in push order
};

const Routing kRouting[] = {
    {"MainPage", LayoutWindow::Main, {{124, 2}, {125, 3}, {126, 0}, {127, 1}, {123, 4}, {62, 5}}},
    {"ShrinkPage", LayoutWindow::Shrink, {{27, 2}, {28, 3}, {30, 0}, {31, 1}, {32, 4}, {53, 5}}},
};

std::unique_ptr<MeterPage> MakePage(LayoutWindow window, ParameterSet* set)
{
    switch (window) {
    case LayoutWindow::Main: return std::make_unique<MainPage>(set);
    case LayoutWindow::Shrink: return std::make_unique<ShrinkPage>(set);
    case LayoutWindow::Tiny: return std::make_unique<TinyPage>(set);
    default: return std::make_unique<HighRatePage>(set);
    }
}

}  // namespace

TEST(MainWindowPages, EachPageIsBuiltFromItsOwnTable)
{
    MainSet main;
    for (LayoutWindow w : {LayoutWindow::Main, LayoutWindow::Shrink, LayoutWindow::Tiny, LayoutWindow::HighRate}) {
        const LayoutTable& table = GetLayoutTable(w);
        auto page = MakePage(w, &main.set);
        EXPECT_EQ(page->GetTable(), table.records) << table.name;
        EXPECT_EQ(page->GetViewCount(), table.count) << table.name;
        int32_t width = 0, height = 0;
        page->GetSize(width, height);
        EXPECT_EQ(width, table.width) << table.name;
        EXPECT_EQ(height, table.height) << table.name;
    }
    ParameterSet none(nullptr, 0);
    ConnectionLostPage lost(&none);
    EXPECT_EQ(lost.GetTable(), GetLayoutTable(LayoutWindow::ConnectionLost).records);
    EXPECT_EQ(lost.GetViewCount(), 4);
}

// The routing covers all six peak meters of each page, each slot read once per push.
TEST(MainWindowPages, MeteredPagesPushEachLevelIntoItsMeter)
{
    MainSet main;
    for (const Routing& r : kRouting) {
        auto page = MakePage(r.window, &main.set);
        FakeWindow window(GetLayoutTable(r.window).width, GetLayoutTable(r.window).height);
        page->AttachWindow(&window);
        FakeLevels levels = DistinctLevels();
        page->SetMeterLevels(&levels);
        int32_t meters = 0;
        for (int32_t i = 0; i < page->GetViewCount(); ++i) {
            auto* meter = dynamic_cast<flPPM*>(page->GetView(i));
            if (!meter)
                continue;
            ++meters;
            float expected = 0.0f;
            for (auto [record, slot] : r.meterSlots)
                if (record == i)
                    expected = flPPM::DisplayLevel(levels.slots[size_t(slot)]);
            EXPECT_FLOAT_EQ(meter->GetLevel(), expected) << r.name << " record " << i;
            EXPECT_TRUE(meter->HasNewLevel()) << r.name << " record " << i;
        }
        EXPECT_EQ(meters, 6) << r.name;
        for (int s = 0; s < 18; ++s)
            EXPECT_EQ(levels.reads[size_t(s)], s < 6 ? 1 : 0) << r.name << " slot " << s;

        // Pushes before the tick keep the peak; the tick lets the next push fall back by 0.9.
        auto* loudest = static_cast<flPPM*>(page->GetView(r.meterSlots[5].first));
        EXPECT_EQ(loudest->GetClipHold(), flPPM::kClipTicks);
        levels.slots[5] = 0.0f;
        page->SetMeterLevels(&levels);
        EXPECT_FLOAT_EQ(loudest->GetLevel(), 1.0f);
        page->Broadcast();
        page->SetMeterLevels(&levels);
        EXPECT_FLOAT_EQ(loudest->GetLevel(), 0.9f);

        page->SetMeterLevels(nullptr);  // nothing to read: nothing changes
        EXPECT_FLOAT_EQ(loudest->GetLevel(), 0.9f);
    }
}

TEST(MainWindowPages, PagesWithoutMetersIgnoreTheLevels)
{
    MainSet main;
    for (LayoutWindow w : {LayoutWindow::Tiny, LayoutWindow::HighRate}) {
        auto page = MakePage(w, &main.set);
        FakeWindow window(GetLayoutTable(w).width, GetLayoutTable(w).height);
        page->AttachWindow(&window);
        page->Paint();
        ASSERT_FALSE(page->NeedsPaint());
        FakeLevels levels = DistinctLevels();
        page->SetMeterLevels(&levels);
        page->Broadcast();
        EXPECT_FALSE(page->NeedsPaint()) << GetLayoutTable(w).name;
        for (int s = 0; s < 18; ++s)
            EXPECT_EQ(levels.reads[size_t(s)], 0) << GetLayoutTable(w).name;
        for (int32_t i = 0; i < page->GetViewCount(); ++i)
            EXPECT_EQ(dynamic_cast<LevelMeter*>(page->GetView(i)), nullptr) << GetLayoutTable(w).name << " " << i;
    }
}

// Code addresses these records by number: the meters of the main pages and the three controls the
// sample-rate panel enables and disables. Their classes are pinned here.
TEST(MainWindowPages, RecordsAddressedByNumberHoldTheirClasses)
{
    struct Pin {
        LayoutWindow window;
        int32_t record;
        const char* className;
    };
    std::vector<Pin> pins;
    for (const auto& route : MainPage::kRoutes)
        pins.push_back({LayoutWindow::Main, route.control, "flPPM"});
    for (const auto& route : ShrinkPage::kRoutes)
        pins.push_back({LayoutWindow::Shrink, route.control, "flPPM"});
    pins.push_back({LayoutWindow::SampleRate, 1, "flExtLed"});
    pins.push_back({LayoutWindow::SampleRate, 7, "flButton"});
    pins.push_back({LayoutWindow::SampleRate, 8, "flButton"});
    EXPECT_EQ(pins.size(), 15u);
    for (const Pin& pin : pins) {
        const LayoutTable& table = GetLayoutTable(pin.window);
        ASSERT_LT(pin.record, table.count) << table.name;
        EXPECT_STREQ(table.records[pin.record].className, pin.className) << table.name << " record " << pin.record;
    }
    // The routes agree with the table of the issue, row by row.
    const std::vector<std::pair<int32_t, int32_t>> mainRoutes = {{2, 124}, {3, 125}, {0, 126},
                                                                 {1, 127}, {4, 123}, {5, 62}};
    const std::vector<std::pair<int32_t, int32_t>> shrinkRoutes = {{2, 27}, {3, 28}, {0, 30},
                                                                   {1, 31}, {4, 32}, {5, 53}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(std::make_pair(MainPage::kRoutes[i].slot, MainPage::kRoutes[i].control), mainRoutes[i]);
        EXPECT_EQ(std::make_pair(ShrinkPage::kRoutes[i].slot, ShrinkPage::kRoutes[i].control), shrinkRoutes[i]);
    }
}

namespace {

// A page whose second route points at a record that is not a peak meter.
class MisroutedPage : public MeterPage {
public:
    MisroutedPage(ParameterSet* set, const LayoutRecord* table, int32_t count) : MeterPage(set, table, count)
    {
        const MeterRoute routes[] = {{0, 1}, {1, 2}, {2, 7}};
        BindMeters(routes, 3);
    }
    void SetMeterLevels(const MeterLevels* levels) override { PushLevels(levels); }
};

}  // namespace

TEST(MainWindowPages, ARouteToAViewOfAnotherClassIsSkippedAndTraced)
{
    const std::vector<LayoutRecord> table = {Record(0, {0, 20, 0, 100}, "Canvas", -1, ""),
                                             Record(1, {0, 3, 0, 96}, "flPPM", 0, ""),
                                             Record(2, {5, 20, 0, 15}, "flButton", 0, "", {0})};
    MainSet main;
    DebugLogCapture trace;
    MisroutedPage page(&main.set, table.data(), int32_t(table.size()));
    if (DebugLogEnabled()) {
        EXPECT_TRUE(trace.Contains("control 2 is not a flPPM")) << trace.Text();
        EXPECT_TRUE(trace.Contains("control 7 is not a flPPM")) << trace.Text();
    }
    trace.Clear();
    FakeLevels levels = DistinctLevels();
    page.SetMeterLevels(&levels);
    EXPECT_FLOAT_EQ(static_cast<flPPM*>(page.GetView(1))->GetLevel(), flPPM::DisplayLevel(0.04f));
    EXPECT_EQ(levels.reads[1], 0);  // the skipped routes read nothing
    EXPECT_EQ(trace.Text(), "");    // traced once, when the page was built
}

// The meters draw what they were given on the real artwork, at the places the routing names.
TEST(MainWindowPages, RoutedLevelsLightTheBarsOnTheRealArtwork)
{
    ASSERT_TRUE(LoadRealArchive());
    MainSet main;
    for (const Routing& r : kRouting) {
        auto page = MakePage(r.window, &main.set);
        const LayoutTable& table = GetLayoutTable(r.window);
        FakeWindow window(table.width, table.height);
        page->AttachWindow(&window);
        page->Paint();
        Bitmap before(table.width, table.height);
        window.buffer.CopyTo(&before, 0, 0, nullptr);
        FakeLevels levels;
        levels.slots[0] = 1.0f;  // only L0
        page->SetMeterLevels(&levels);
        page->Broadcast();
        page->Paint();
        // Only the L0 meter changed pixels, and those are in its 3 x 96 rectangle at its left edge.
        const int32_t left = r.window == LayoutWindow::Main ? 268 : 267;
        for (int32_t y = 0; y < table.height; ++y) {
            for (int32_t x = 0; x < table.width; ++x) {
                if (window.buffer.GetPixel(x, y) != before.GetPixel(x, y)) {
                    ASSERT_TRUE(x >= left && x < left + 3 && y >= 39 && y < 135) << r.name << " " << x << "," << y;
                }
            }
        }
        int32_t lit = 0;
        for (int32_t y = 39; y < 135; ++y)
            lit += window.buffer.GetPixel(left + 1, y) != before.GetPixel(left + 1, y) ? 1 : 0;
        EXPECT_GT(lit, 48) << r.name;
    }
}
