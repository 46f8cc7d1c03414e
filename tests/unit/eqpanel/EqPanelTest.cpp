// The EQ panel as it reaches the simulated unit: enable and gains, band types with the knobs, symbols
// and captions they switch, rate changes, meters, and the models of simple and advanced mode.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/EqPresets.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flTextKnob.h"
#include "PAL/WindowRecords.h"
#include "support/PanelHarness.h"
#include "support/RealArchive.h"

namespace {

// Tests run for the panel of input 1 (parameter true) and of input 2.
class EqPanelTest : public PanelHarness, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        PanelHarness::SetUp();
        LoadRealArchive();
    }
    // A new panel on the unit after its first rate change; with attach false on a block of the test's own.
    void Open(float rate = 48000.0f, bool attach = true)
    {
        if (writer)
            Detach(writer.get());
        panel.reset();
        writer = std::make_unique<ParamWriter>(kEq1BaseItem, kEqBlockCount);
        panel = EqPanel::Create(writer.get(), GetParam());
        if (attach) {
            Attach(writer.get());
            panel->SetSampleRate(rate);
            EXPECT_TRUE(Flush());
        }
    }
    int Input() const { return GetParam() ? 0 : 1; }
    float Value(int32_t index) const { return panel->GetParameterValue(index); }
    template <class T>
    T& Control(int32_t record) const { return dynamic_cast<T&>(*panel->GetPage()->GetView(record)); }
    const char* QCaption(int32_t record) const { return Control<flTextKnob>(record).GetLabel().GetCaptionFormat(); }
    const EqPresetList& Presets() const { return *panel->GetPresets(); }
    void Choose(size_t k) { panel->SetParameter(EqPanel::kModel, float(k) / float(Presets().Count() - 1)); }

    // The unit holds the coefficient set of the band designed apart from the panel from its values.
    void ExpectSlot(int32_t band, int32_t type, float rate = 48000.0f) const
    {
        EqBand ref;
        ref.Init(true);
        ref.SetSampleRate(rate);
        ref.SetType(type);
        ref.SetFreq(Value(EqPanel::kLowFreq + 3 * band));
        ref.SetGain(Value(EqPanel::kLowFreq + 3 * band + 1));
        ref.SetQ(Value(EqPanel::kLowFreq + 3 * band + 2));
        const uint32_t at = kEq1BaseItem + kEqBandSlot[Input()][band];
        auto fixed = [](float v) { return ParamWriter::ToFixed(v); };
        const uint32_t expected[11] = {uint32_t(ref.shift), fixed(ref.b[0]), fixed(ref.b[1]), fixed(ref.b[2]), 0, 0,
                                       fixed(ref.a[1]), fixed(ref.a[2]), 0, 0, 1};
        for (uint32_t i : {0, 1, 2, 3, 6, 7, 10})
            EXPECT_EQ(Item(at + i), expected[i]) << "band " << band << ", item " << at << " + " << i;
    }
    // Each band parameter's value, or its default: the preset's (its Control target at position), or the
    // table's without a preset.
    void ExpectBands(const char* when, const EqPreset* p, bool defaults, float position = 0.5f) const
    {
        const float table[4][3] = {{160, 0, 1}, {1600, 0, 1}, {6000, 0, 1}, {12000, 0, 1}};
        for (int32_t param = EqPanel::kLowFreq; param < EqPanel::kLfShelf; ++param) {
            const int32_t band = (param - EqPanel::kLowFreq) / 3, i = (param - EqPanel::kLowFreq) % 3;
            const EqPresetBand* b = p ? &p->bands[band] : nullptr;
            float v = b ? (&b->freq)[i] : table[band][i];
            if (b && !defaults && i == b->controlTarget)
                v = b->controlMin + (b->controlMax - b->controlMin) * position;
            const Parameter* par = panel->GetParameterObject(param);
            v = std::min(std::max(v, par->GetMinimum()), par->GetMaximum());
            EXPECT_NEAR(defaults ? par->GetDefaultValue() : Value(param), v, 1e-5f * std::max(1.0f, std::fabs(v)))
                << when << ", parameter " << param;
        }
    }

    std::unique_ptr<ParamWriter> writer;
    std::unique_ptr<EqPanel> panel;
};
INSTANTIATE_TEST_SUITE_P(Inputs, EqPanelTest, testing::Bool());

TEST_P(EqPanelTest, BandsFollowTheControlsFromTheStartAndEachRateChangeSendsEnableGainsAndBands)
{
    Open(0.0f, false);
    EXPECT_EQ(writer->GetPendingCount(), 0u);
    // A fresh panel names its bands after the chosen model, never the layout's place-holders.
    for (int32_t band = 0; band < 4; ++band)
        EXPECT_STREQ(Control<Static>(EqRecords::kFirstBandCaption + band).GetText(), Presets().Get(0)->captions[band]);
    EXPECT_EQ(panel->GetCurrentPreset(), Presets().Get(0));
    panel->SetSampleRate(96000.0f);
    std::set<uint32_t> written, expected = {kEqEnableIndex[Input()], kEqInputGainIndex[Input()],
                                            kEqOutputLevelIndex[Input()]};
    for (uint32_t slot : kEqBandSlot[Input()])
        for (uint32_t offset : {0u, 1u, 2u, 3u, 6u, 7u, 10u})
            expected.insert(slot + offset);
    while (writer->GetPendingCount() > 0)
        written.insert(writer->PopPending().item - kEq1BaseItem);
    EXPECT_EQ(written, expected);
    for (float rate : {44100.0f, 96000.0f}) {
        Open(rate);
        for (int32_t k = 0; k < 4; ++k)
            ExpectSlot(k, k == 0 ? EqBand::kLowShelf : k == 3 ? EqBand::kAnalogHighShelf : EqBand::kAnalogBell, rate);
    }
}

TEST_P(EqPanelTest, EnableAndGainsReachTheInputsItemsFromAnyStoredValue)
{
    const double top = std::pow(10.0, 0.9) / 8, bottom = std::pow(10.0, -0.9) / 8;
    const uint32_t on = kEqEnableIndex[Input()], in = kEqInputGainIndex[Input()], out = kEqOutputLevelIndex[Input()];
    const struct {
        int32_t param;
        float normalised;
        uint32_t index;
        double expected;  // 1.31 value at the unit
    } cases[] = {{6, 0.0f, on, 0.0},     {6, 0.2f, on, 1.0}, {6, -3.0f, on, 0.0},    {7, 0.5f, in, 0.125},
                 {7, 7.5f, in, top},     {8, 0.0f, out, bottom}, {8, -2.0f, out, bottom},
                 {8, 0.75f, out, std::pow(10.0, 0.45) / 8}};
    Open();
    for (const auto& c : cases) {
        panel->SetParameter(c.param, c.normalised);
        ASSERT_TRUE(Flush());
        EXPECT_NEAR(Fixed(kEq1BaseItem + c.index), c.expected, 1e-6) << c.param << " at " << c.normalised;
    }
}

TEST_P(EqPanelTest, TypeSwitchesSetTheBandTheirGroupTheKnobsTheSymbolAndTheQCaption)
{
    const struct {
        int32_t on, type;
        bool qEnabled, gainEnabled;
        int32_t symbol;
        const char* caption;
    } cases[] = {
        {EqPanel::kHiPass, EqBand::kHighPass, true, false, flEQType::HighPass, "RES"},
        {EqPanel::kLfParametric, EqBand::kAnalogBell, true, true, flEQType::Bell, "Q"},
        {EqPanel::kLfShelf, EqBand::kLowShelf, false, true, flEQType::LowShelf, "Q"},
        {EqPanel::kLowPass, EqBand::kLowPass, true, false, flEQType::LowPass, "RES"},
        {EqPanel::kHfParametric, EqBand::kAnalogBell, true, true, flEQType::Bell, "Q"},
        {EqPanel::kHfShelf, EqBand::kAnalogHighShelf, false, true, flEQType::HighShelf, "Q"},
    };
    Open();
    for (int32_t param : {10, 11, 19, 20})  // gains and Qs away from the defaults
        panel->SetParameter(param, 0.7f);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "switch " << c.on);
        panel->SetParameter(c.on, 1.0f);
        ASSERT_TRUE(Flush());
        const bool lf = c.on <= EqPanel::kHiPass;
        const int32_t band = lf ? EqPanel::kLf : EqPanel::kHf, group = lf ? EqPanel::kLfShelf : EqPanel::kHfShelf;
        EXPECT_EQ(panel->GetBand(band).type, c.type);
        for (int32_t sw = group; sw < group + 3; ++sw)
            EXPECT_EQ(panel->GetParameter(sw), sw == c.on ? 1.0f : 0.0f) << sw;
        const int32_t qKnob = lf ? EqRecords::kLfQKnob : EqRecords::kHfQKnob;
        const int32_t gainKnob = lf ? EqRecords::kLfGainKnob : EqRecords::kHfGainKnob;
        EXPECT_EQ(Control<flTextKnob>(qKnob).GetKnob().IsEnabled(), c.qEnabled);
        EXPECT_EQ(Control<flTextKnob>(gainKnob).GetKnob().IsEnabled(), c.gainEnabled);
        EXPECT_STREQ(QCaption(qKnob), c.caption);
        EXPECT_EQ(Control<flEQType>(lf ? EqRecords::kLfSymbol : EqRecords::kHfSymbol).GetType(), c.symbol);
        ExpectSlot(band, c.type);
    }
    // Off changes nothing but the caption, which follows the band.
    panel->SetParameter(EqPanel::kHiPass, 1.0f);
    panel->SetParameter(EqPanel::kHiPass, 0.0f);
    EXPECT_EQ(panel->GetBand(EqPanel::kLf).type, EqBand::kHighPass);
    EXPECT_STREQ(QCaption(EqRecords::kLfQKnob), "RES");
}

struct MeterWriter : ParamWriter {
    MeterWriter() : ParamWriter(kEq1BaseItem, kEqBlockCount) {}
    MeterList* GetMeterList() override { return &meters; }
    MeterList meters;
};

TEST_P(EqPanelTest, IdleFeedsTheMetersOfItsGroupWhileEnabledAndTheyFallByTicksNotByIdles)
{
    const int in = GetParam() ? 12 : 14;
    MeterWriter w;
    panel = EqPanel::Create(&w, GetParam());
    auto& inMeter = Control<LevelMeter>(EqRecords::kInputMeter);
    w.meters.SetMeter(in, 0.81f);
    w.meters.SetMeter(in + 1, 0.25f);
    w.meters.SetMeter(GetParam() ? 14 : 12, 1.0f);  // the other input's
    panel->Idle();
    EXPECT_EQ(inMeter.GetLevel(), 0.0f) << "group disabled";
    w.meters.SetEnabled(GetParam() ? 4 : 5, true);
    for (int ticks = 0; ticks < 3; ++ticks) {
        for (int i = 0; i < 25; ++i, w.meters.SetMeter(in, 0.0f))  // only the first idle sees the peak
            panel->Idle();
        EXPECT_NEAR(inMeter.GetLevel(), std::pow(0.9, ticks) * 0.8 / 0.9, 1e-6) << ticks;
        EXPECT_NEAR(Control<LevelMeter>(EqRecords::kOutputMeter).GetLevel(), 0.4 / 0.9, 1e-6);
        inMeter.Broadcast(nullptr);
    }
    panel.reset();
}

TEST_P(EqPanelTest, EveryModelInSimpleModeSetsSwitchesCaptionsBandsAndControlKnobsThatMoveTheirTarget)
{
    Open();
    ASSERT_GT(Presets().Count(), 1u) << "the archive's presets";
    for (size_t k = 0; k < Presets().Count(); ++k) {
        const EqPreset& p = *Presets().Get(k);
        SCOPED_TRACE(p.name);
        Choose(k);
        ASSERT_TRUE(Flush());
        EXPECT_EQ(panel->GetCurrentPreset(), &p);
        const int32_t lf = p.lowType == 2 ? 21 : p.lowType == 4 ? 23 : 22;
        const int32_t hf = p.highType == 1 ? 24 : p.highType == 3 ? 26 : 25;
        for (int32_t sw = EqPanel::kLfShelf; sw <= EqPanel::kLowPass; ++sw)  // value and default
            EXPECT_EQ(panel->GetParameter(sw) + panel->GetParameterObject(sw)->GetDefaultValue(),
                      sw == lf || sw == hf ? 2.0f : 0.0f) << sw;
        const int32_t types[4] = {lf == 21 ? 2 : lf == 23 ? 4 : 0, 0, 0, hf == 24 ? 1 : hf == 26 ? 3 : 0};
        EXPECT_STREQ(QCaption(EqRecords::kLfQKnob), lf == 23 ? "RES" : "Q");
        EXPECT_STREQ(QCaption(EqRecords::kHfQKnob), hf == 26 ? "RES" : "Q");
        ExpectBands("chosen", &p, false);
        ExpectBands("chosen", &p, true);
        for (int32_t band = 0; band < 4; ++band) {
            EXPECT_STREQ(Control<Static>(EqRecords::kFirstBandCaption + band).GetText(), p.captions[band]);
            EXPECT_EQ(panel->GetParameter(p.bands[band].controlParam), 0.5f);
            ExpectSlot(band, types[band]);
            panel->SetParameter(p.bands[band].controlParam, 1.7f);  // beyond the end: the range's maximum
        }
        ASSERT_TRUE(Flush());
        ExpectBands("Control knobs at 1.7", &p, false, 1.0f);
        for (int32_t band = 0; band < 4; ++band)
            ExpectSlot(band, types[band]);
    }
}

TEST_P(EqPanelTest, AdvancedModeShowsCaptionsOnlyTheModelIndexIsHeldToTheListAndDefaultsAreSavedOnce)
{
    Open(0.0f, false);
    panel->SetParameter(EqPanel::kMode, 0.0f);
    Choose(1);
    for (int32_t band = 0; band < 4; ++band)
        EXPECT_STREQ(Control<Static>(EqRecords::kFirstBandCaption + band).GetText(), Presets().Get(1)->captions[band]);
    panel->SetParameter(EqPanel::kLfControl, 1.0f);
    ExpectBands("advanced mode", nullptr, false);
    const size_t last = Presets().Count() - 1;
    const std::pair<float, size_t> cases[] = {{0.0f, 0},    {1.0f, last}, {0.49f / float(last), 0},
                                              {0.51f / float(last), 1}, {2.5f, last}, {-1.0f, 0},
                                              {std::nanf(""), 0}, {INFINITY, last}};
    for (const auto& c : cases) {
        panel->GetParameterObject(EqPanel::kModel)->SetNormalisedValue(c.first);
        panel->RefreshParameter(EqPanel::kModel);
        EXPECT_EQ(panel->GetCurrentPreset(), Presets().Get(c.second)) << c.first;
    }
    // Model 2, chosen only in advanced mode, saved nothing: restoring leaves its defaults (never 0).
    Choose(2);
    for (float mode : {1.0f, 0.0f})
        panel->SetParameter(EqPanel::kMode, mode);
    ExpectBands("advanced, nothing saved", Presets().Get(2), true);
    panel->LoadPresets();
    EXPECT_EQ(panel->GetCurrentPreset(), nullptr);

    Open(0.0f, false);
    for (size_t k : {1, 2, 1})  // model 1 saves the table's defaults once
        Choose(k);
    panel->SetParameter(EqPanel::kMode, 0.0f);
    ExpectBands("advanced after models 1, 2, 1", nullptr, true);
    panel->SetParameter(EqPanel::kMode, 1.0f);
    ExpectBands("simple again", Presets().Get(1), true);
}

}  // namespace
