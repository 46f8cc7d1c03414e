// Reverb panels on the simulated unit: the items each control and each rate change write.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "support/PanelHarness.h"

namespace {

constexpr uint32_t kStale = 0xDEADBEEF;  // planted in the unit so that only a fresh write clears it

struct Expected {
    uint32_t entry;
    bool raw;  // raw value, else 1.31
    double value;
};

class ReverbPanelTest : public PanelHarness {
protected:
    void AttachAll()
    {
        for (ParamWriter* w : {&own1, &own2, &shared})
            Attach(w);
    }
    // Plants stale values in the items, runs change, and checks what the unit then holds.
    void ExpectWrites(uint32_t base, const std::vector<Expected>& items, const std::function<void()>& change)
    {
        for (const Expected& e : items)
            unit.SetItem(base + e.entry, kStale);
        change();
        ASSERT_TRUE(Flush());
        for (const Expected& e : items) {
            if (e.raw)
                EXPECT_EQ(Item(base + e.entry), uint32_t(e.value)) << "item " << base + e.entry;
            else
                EXPECT_NEAR(Fixed(base + e.entry), e.value, 2e-5) << "item " << base + e.entry;
        }
    }

    ParamWriter own1{kReverb1BaseItem, kReverbBlockCount};
    ParamWriter own2{kReverb2BaseItem, kReverbBlockCount};
    ParamWriter shared{kReverbSharedBaseItem, kReverbSharedCount};
    std::unique_ptr<ReverbPanel> first{ReverbPanel::Create(&own1, &shared, true)};
    std::unique_ptr<ReverbPanel> second{ReverbPanel::Create(&own2, &shared, false)};
};

TEST_F(ReverbPanelTest, CreateSwitchesTheReverbOnWithoutWritingAnything)
{
    EXPECT_EQ(first->GetParameterValue(ReverbPanel::kEnable), 1.0f);
    EXPECT_EQ(own1.GetPendingCount() + own2.GetPendingCount() + shared.GetPendingCount(), 0u);
}

TEST_F(ReverbPanelTest, EachControlWritesItsDspValues)
{
    AttachAll();
    const struct {
        bool second;
        int32_t index;
        float normalised;
        std::vector<Expected> items;
    } rows[] = {
        {false, ReverbPanel::kRoomSize, 0.3f, {{1, false, 0.3}}},
        {true, ReverbPanel::kRoomSize, 0.8f, {{1, false, 0.8}}},
        {false, ReverbPanel::kRoomSize, 1.5f, {{1, false, 1.0}}},  // held to the range
        {false, ReverbPanel::kDecayTime, 0.25f, {{2, false, 0.75}}},
        {false, ReverbPanel::kDecayTime, 1.0f, {{2, false, 0.0}}},
        {true, ReverbPanel::kDecayTime, -0.5f, {{2, false, 1.0}}},
        {false, ReverbPanel::kReverbTone, 0.5f, {{3, true, 1}, {4, false, 1.0}}},          // tone 0
        {false, ReverbPanel::kReverbTone, 0.0f, {{3, true, 0}, {4, false, 0.99686}}},      // -1: x = 0.1
        {true, ReverbPanel::kReverbTone, 1.0f, {{3, true, 1}, {4, false, 0.67523}}},       // 1: x = 0.5
        {false, ReverbPanel::kReverbTone, 0.4999f, {{3, true, 0}, {4, false, 0.043294}}},  // just below 0
        {false, ReverbPanel::kEnable, 0.0f, {{0, false, 0.0}}},
        {true, ReverbPanel::kEnable, 1.0f, {{0, false, 1.0}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "parameter " << r.index << " at " << r.normalised);
        ReverbPanel* panel = r.second ? second.get() : first.get();
        ExpectWrites(r.second ? kReverb2BaseItem : kReverb1BaseItem, r.items,
                     [&] { panel->SetParameter(r.index, r.normalised); });
    }
}

TEST_F(ReverbPanelTest, RateChangeWritesTheSharedFactorAndResendsEveryValue)
{
    AttachAll();
    first->SetParameter(ReverbPanel::kRoomSize, 0.3f);
    first->SetParameter(ReverbPanel::kReverbTone, 0.0f);
    const struct {
        float rate;
        uint32_t factor;
    } rows[] = {{44100, 1}, {48000, 1}, {48001.5f, 2}, {88200, 2}, {96000, 2}, {176400, 4}, {192000, 4}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.rate);
        // The shared item 1024 is followed by the first reverb's block, 1025 onwards.
        ExpectWrites(kReverbSharedBaseItem, {{0, true, double(r.factor)}, {1, false, 1.0}, {2, false, 0.3},
                                             {3, false, 0.5}, {4, true, 0}, {5, false, 0.99686}},
                     [&] { first->SetSampleRate(r.rate); });
    }
    EXPECT_EQ(ReverbPanel::RateFactor(96001.0f), 2u);
}

}  // namespace
