// What a compressor panel sends to the simulated unit (each handler's value alone, presets with their
// Amount curves, a rate change) and what its idle calls show on the meters.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/CompPresets.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/WindowRecords.h"
#include "resources/params/CompressorParamDescriptors.h"
#include "support/FakeWindow.h"
#include "support/PanelHarness.h"
#include "support/RealArchive.h"

namespace {

using namespace CompressorParam;
using Received = std::map<uint32_t, double>;  // block index -> value (1.31)

struct RateListener : ParameterListener {
    float GetSampleRate() override { return rate; }
    void ParameterChanged(int32_t index) override { told.push_back(index); }
    float rate = 44100.0f;
    std::vector<int32_t> told;
};

// A block whose meter list is the test's own, so the unit's moving meters stay out of it.
struct MeterWriter : ParamWriter {
    explicit MeterWriter(uint32_t base) : ParamWriter(base, kCompressorBlockCount) {}
    MeterList* GetMeterList() override { return &meters; }
    MeterList meters;
};

double Gain(double db) { return std::pow(10.0, db / 20.0) / 8.0; }
double Attack(double ms, double rate) { return -std::exp(-1.0 / (ms / 1000.0 * rate)); }
double Release(double s, double rate) { return std::exp(-1.0 / (s * rate)); }

class CompressorPanelTest : public PanelHarness {
protected:
    static constexpr uint32_t kMark = 0x5A5A5A5A;  // never a value the panel sends

    void Build(bool first, bool applyRate = true)
    {
        LoadRealArchive();
        if (writer)
            Detach(writer.get());
        base = first ? kCompressor1BaseItem : kCompressor2BaseItem;
        writer = std::make_unique<MeterWriter>(base);
        panel = CompressorPanel::Create(writer.get(), first);
        panel->SetListener(&listener);
        Attach(writer.get());
        if (applyRate)
            panel->SetSampleRate(listener.rate);
        Take();
    }
    // What the unit received in the block since the last call; the block's items are marked again.
    Received Take()
    {
        Received got;
        EXPECT_TRUE(Flush());
        for (uint32_t i = 0; i < kCompressorBlockCount; ++i) {
            if (Item(base + i) != kMark)
                got[i] = Fixed(base + i);
            unit.SetItem(base + i, kMark);
        }
        return got;
    }
    // NaN for an index not received.
    static double At(const Received& got, uint32_t index) { return got.count(index) ? got.at(index) : NAN; }
    static void ExpectDetail(const Received& got, double threshold, double makeup, double ratio, double attack,
                             double release, double rate)
    {
        EXPECT_NEAR(At(got, kCompThresholdIndex), threshold / 64, 2e-6);
        EXPECT_NEAR(At(got, kCompMakeupIndex), Gain(makeup), 2e-6);
        EXPECT_NEAR(At(got, kCompRatioIndex), ratio / 2, 2e-6);
        EXPECT_NEAR(At(got, kCompAttackIndex), Attack(attack, rate), 2e-6);
        EXPECT_NEAR(At(got, kCompReleaseIndex), Release(release, rate), 2e-6);
    }
    float Level(int32_t record) const
    {
        return dynamic_cast<LevelMeter&>(*panel->GetPage()->GetView(record)).GetLevel();
    }

    RateListener listener;
    uint32_t base = 0;
    std::unique_ptr<MeterWriter> writer;
    std::unique_ptr<CompressorPanel> panel;
};

TEST_F(CompressorPanelTest, EachHandlerSendsItsValueAlone)
{
    // raw: stored normalised as it is, as a mix file or a paste may hold anything.
    struct Row { int32_t param; float value; bool raw; float rate; uint32_t dsp; double expected; };
    const Row rows[] = {
        {AttackTime, 15, false, 44100, kCompAttackIndex, -0.9984894},
        {AttackTime, 15, false, 96000, kCompAttackIndex, Attack(15, 96000)},
        {AttackTime, 7, true, 44100, kCompAttackIndex, Attack(100, 44100)},
        {ReleaseTime, 3, false, 96000, kCompReleaseIndex, Release(3, 96000)},
        {ReleaseTime, -4, true, 96000, kCompReleaseIndex, Release(0.1, 96000)},
        {Threshold, -50, false, 44100, kCompThresholdIndex, -0.78125},
        {Ratio, 9, true, 44100, kCompRatioIndex, 0.995},
        {MakeupGain, 18, false, 44100, kCompMakeupIndex, Gain(18)},
        {InputGain, 0, false, 44100, kCompInputGainIndex, 0.125},
        {OutputGain, 1e30f, true, 44100, kCompOutputGainIndex, Gain(18)},
        {Enable, 0, false, 44100, kCompEnableIndex, 0.0},
        {Enable, 1, false, 44100, kCompEnableIndex, 1.0},
    };
    for (bool first : {true, false}) {
        Build(first);
        for (const Row& row : rows) {
            listener.rate = row.rate;
            row.raw ? panel->SetParameter(row.param, row.value) : panel->SetParameterValue(row.param, row.value);
            const Received got = Take();
            EXPECT_EQ(got.size(), 1u) << first << ", parameter " << row.param << " = " << row.value;
            EXPECT_NEAR(At(got, row.dsp), row.expected, 2e-7)
                << first << ", parameter " << row.param << " = " << row.value << " at " << row.rate;
        }
    }
}

TEST_F(CompressorPanelTest, PresetChoiceInSimpleModeSendsThePresetAndItsCurves)
{
    Build(true, false);  // before any selection, Amount follows the first preset, "FLAT"
    panel->SetParameterValue(Amount, 1.0f);
    Received got = Take();
    EXPECT_EQ(got.size(), 2u);
    EXPECT_NEAR(At(got, kCompThresholdIndex), -30.0 / 64, 2e-6);
    EXPECT_NEAR(At(got, kCompMakeupIndex), Gain(10), 2e-6);
    // The archive's list: FLAT, VOCAL, ... PERCUSSION; 9 entries, a step of 1/8.
    struct Row { float selector, amount; const char* name; double threshold, makeup, ratio, attack, release; };
    const Row rows[] = {
        {0.0f, 0.0f, "FLAT", 0, 0, 0.5, 15, 0.5},
        {0.0f, 0.5f, "FLAT", -15, 5, 0.5, 15, 0.5},
        {0.06f, 1.0f, "FLAT", -30, 10, 0.5, 15, 0.5},
        {0.07f, 0.0f, "VOCAL", 0, 0, 0.7, 5, 0.2},
        {0.125f, 0.5f, "VOCAL", -12, 3.5, 0.7, 5, 0.2},
        {0.125f, 1.0f, "VOCAL", -28, 9, 0.7, 5, 0.2},
        {1.7f, 0.5f, "PERCUSSION", -12, 4, 0.75, 2.5, 0.12},
        {-0.5f, 1.0f, "FLAT", -30, 10, 0.5, 15, 0.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.selector << ", amount " << row.amount);
        panel->SetParameter(Model, row.selector);
        panel->SetParameterValue(Amount, row.amount);
        EXPECT_STREQ(panel->GetCurrentPreset().name, row.name);
        ExpectDetail(Take(), row.threshold, row.makeup, row.ratio, row.attack, row.release, 44100);
        EXPECT_NEAR(panel->GetParameterObject(AttackTime)->GetDefaultValue(), row.attack, 1e-6);  // Alt-click
    }
    // In advanced mode the selector only chooses; Amount drives nothing.
    panel->SetParameterValue(Mode, 0.0f);
    Take();
    panel->SetParameter(Model, 0.125f);
    panel->SetParameterValue(Amount, 0.3f);
    EXPECT_STREQ(panel->GetCurrentPreset().name, "VOCAL");
    EXPECT_EQ(Take(), Received{});
}

TEST_F(CompressorPanelTest, ARateChangeResendsAllEightValuesAndKeepsAmount)
{
    Build(true);
    panel->SetParameter(Model, 0.125f);  // VOCAL, which sets Amount to 0.5
    panel->SetParameterValue(Amount, 1.0f);
    panel->SetParameterValue(Enable, 0.0f);
    Take();
    listener.rate = 96000.0f;
    listener.told.clear();
    panel->SetSampleRate(96000.0f);
    const Received got = Take();
    EXPECT_EQ(got.size(), kCompressorBlockCount);
    ExpectDetail(got, -28, 9, 0.7, 5, 0.2, 96000);
    EXPECT_EQ(At(got, kCompEnableIndex), 0.0);
    EXPECT_NEAR(At(got, kCompInputGainIndex), 0.125, 2e-7);
    EXPECT_FLOAT_EQ(panel->GetParameterValue(Amount), 1.0f);
    EXPECT_EQ(listener.told, std::vector<int32_t>{Amount});
}

TEST_F(CompressorPanelTest, IdleShowsItsGroupsLevelsAndTheBarsFallByWindowTicks)
{
    // Meter slots input, gain (1.0: no reduction), output of the group; levels of the three meters.
    const int32_t meters[3] = {CompressorRecords::kInputMeter, CompressorRecords::kReductionMeter,
                               CompressorRecords::kOutputMeter};
    struct Row { bool first, enabled; uint32_t group; float meter[3], shown[3]; };
    const Row rows[] = {
        {true, true, 2, {0.25f, 0.75f, 1.0f}, {4.0f / 9, 0.25f, 1.0f}},
        {false, true, 3, {0.25f, 0.4f, 0.49f}, {4.0f / 9, 0.6f, 2.0f / 3}},
        {true, false, 2, {0.25f, 0.75f, 0.49f}, {4.0f / 9, 0.0f, 2.0f / 3}},  // off: no reduction shown
        {false, true, 2, {0.25f, 0.75f, 1.0f}, {0, 0, 0}},                    // the other input's group
    };
    for (const Row& row : rows) {
        Build(row.first);
        panel->SetParameterValue(Enable, row.enabled ? 1.0f : 0.0f);
        writer->meters.SetEnabled(row.group, true);
        for (int i = 0; i < 3; ++i)
            writer->meters.SetMeter((row.group == 2 ? 6 : 9) + i, row.meter[i]);
        panel->Idle();
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(Level(meters[i]), row.shown[i], 1e-6) << row.first << row.enabled << row.group << i;
    }
    FakeWindow window(510, 135);
    panel->Open(&window, 0, 0);
    writer->meters.SetEnabled(3, true);
    writer->meters.SetMeter(9, 1.0f);
    panel->Idle();
    writer->meters.SetMeter(9, 0.0f);
    struct Fall { int ticks, idles; float level; };
    for (const Fall& fall : {Fall{0, 20, 1.0f}, Fall{1, 1, 0.9f}, Fall{2, 50, 0.729f}}) {
        for (int i = 0; i < fall.ticks; ++i)
            panel->GetPage()->Broadcast();
        for (int i = 0; i < fall.idles; ++i)
            panel->Idle();
        EXPECT_NEAR(Level(CompressorRecords::kInputMeter), fall.level, 1e-6)
            << fall.ticks << " ticks, " << fall.idles << " idle calls";
    }
    panel->Close();
}

}  // namespace
