#include "CtrlPanel/effects/EqPanel.h"

#include <cmath>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/EqPresets.h"
#include "PAL/LayoutTables.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/CheckedControl.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/UnitValue.h"
#include "PAL/ViewLib/flEQType.h"
#include "PAL/ViewLib/flTextKnob.h"
#include "PAL/WindowRecords.h"
#include "resources/params/EqParamDescriptors.h"

namespace {

constexpr const char* kPresetResource = "VelbrinEQPresets.csv";

// Meter groups and meter slots of the first and second input.
constexpr uint32_t kMeterGroup[2] = {4, 5};
constexpr int kInMeterSlot[2] = {12, 14};
constexpr int kOutMeterSlot[2] = {13, 15};

// One type switch of an outer band and what turning it on does.
struct TypeSwitch {
    int32_t param;
    int32_t band;  // EqPanel::kLf or kHf
    int32_t bandType;
    int32_t others[2];  // set to 0 in this order
    bool qEnabled;
    bool gainEnabled;
    int32_t symbol;
};

constexpr TypeSwitch kTypeSwitches[] = {
    {EqPanel::kLfShelf, EqPanel::kLf, EqBand::kLowShelf, {EqPanel::kLfParametric, EqPanel::kHiPass}, false, true,
     flEQType::LowShelf},
    {EqPanel::kLfParametric, EqPanel::kLf, EqBand::kAnalogBell, {EqPanel::kHiPass, EqPanel::kLfShelf}, true, true,
     flEQType::Bell},
    {EqPanel::kHiPass, EqPanel::kLf, EqBand::kHighPass, {EqPanel::kLfParametric, EqPanel::kLfShelf}, true, false,
     flEQType::HighPass},
    {EqPanel::kHfShelf, EqPanel::kHf, EqBand::kAnalogHighShelf, {EqPanel::kHfParametric, EqPanel::kLowPass}, false,
     true, flEQType::HighShelf},
    {EqPanel::kHfParametric, EqPanel::kHf, EqBand::kAnalogBell, {EqPanel::kLowPass, EqPanel::kHfShelf}, true, true,
     flEQType::Bell},
    {EqPanel::kLowPass, EqPanel::kHf, EqBand::kLowPass, {EqPanel::kHfParametric, EqPanel::kHfShelf}, true, false,
     flEQType::LowPass},
};

const TypeSwitch& TypeSwitchOf(int32_t param)
{
    return kTypeSwitches[param - EqPanel::kLfShelf];
}

// Index 0 for the LF band, 1 for the HF band, of the per-outer-band arrays.
int32_t Outer(int32_t band)
{
    return band == EqPanel::kLf ? 0 : 1;
}

}  // namespace

std::unique_ptr<EqPanel> EqPanel::Create(ParamWriter* writer, bool first)
{
    auto panel = std::make_unique<EqPanel>();
    panel->AttachWriter(writer, first);
    return panel;
}

EqPanel::EqPanel()
    : PageController(ArchiveSource{}, GetLayoutTable(LayoutWindow::Eq).records, GetLayoutTable(LayoutWindow::Eq).count,
                     kEqParamDescriptors, kEqParamCount)
{
    const ControlPage& page = *GetPage();
    m_gainKnobs[0] = CheckedControl<flTextKnob>(page, EqRecords::kLfGainKnob, "flTextKnob", "EqPanel");
    m_gainKnobs[1] = CheckedControl<flTextKnob>(page, EqRecords::kHfGainKnob, "flTextKnob", "EqPanel");
    m_qKnobs[0] = CheckedControl<flTextKnob>(page, EqRecords::kLfQKnob, "flTextKnob", "EqPanel");
    m_qKnobs[1] = CheckedControl<flTextKnob>(page, EqRecords::kHfQKnob, "flTextKnob", "EqPanel");
    m_symbols[0] = CheckedControl<flEQType>(page, EqRecords::kLfSymbol, "flEQType", "EqPanel");
    m_symbols[1] = CheckedControl<flEQType>(page, EqRecords::kHfSymbol, "flEQType", "EqPanel");
    for (int32_t k = 0; k < kBandCount; ++k)
        m_captions[k] = CheckedControl<Static>(page, EqRecords::kFirstBandCaption + k, "Static", "EqPanel");
    m_inMeter = CheckedControl<LevelMeter>(page, EqRecords::kInputMeter, "LevelMeter", "EqPanel");
    m_outMeter = CheckedControl<LevelMeter>(page, EqRecords::kOutputMeter, "LevelMeter", "EqPanel");

    for (EqBand& band : m_bands)
        band.Init(true);
    const float rate = GetSampleRate();
    for (EqBand& band : m_bands)
        band.SetSampleRate(rate);
    LoadPresets();
    // The bands follow their parameters from the start (no writer yet, nothing is written), so the
    // first rate change sends what the controls show.
    for (int32_t index = kLowFreq; index <= kLowPass; ++index)
        ParameterChangedHook(index);
    // The bands carry the chosen model's names from the start, and its Control knobs drive them,
    // without changing any value.
    m_currentPreset = ChosenPreset();
    ApplyPresetCaptions(*m_currentPreset);
}

EqPreset* EqPanel::ChosenPreset() const
{
    const int32_t count = int32_t(m_presets->Count());
    const float normalised = GetSet() ? SanitiseUnit(GetSet()->GetParameter(kModel)) : 0.0f;
    return m_presets->Get(size_t(ClampIndex(normalised * float(count - 1) + 0.5f, count)));
}

EqPanel::~EqPanel() = default;

void EqPanel::Process(const float* const*, int32_t, int32_t, int32_t, float* const*, int32_t) {}

void EqPanel::AttachWriter(ParamWriter* writer, bool first)
{
    m_writer = writer;
    m_first = first;
    for (int32_t k = 0; k < kBandCount; ++k) {
        m_bands[k].writer = writer;
        m_bands[k].dspIndex = int32_t(kEqBandSlot[first ? 0 : 1][k]);
    }
}

int32_t EqPanel::GetEnableParameterIndex(int32_t kind)
{
    return kind == 0 ? kEnable : -1;
}

void EqPanel::LoadPresets()
{
    m_currentPreset = nullptr;
    m_presets.reset();
    uint32_t size = 0;
    const uint8_t* data = GetResourceData(kPresetResource, size);
    m_presets = std::make_unique<EqPresetList>(reinterpret_cast<const char*>(data), data ? size : 0);
}

bool EqPanel::SimpleMode() const
{
    return GetSet() && GetSet()->GetParameterValue(kMode) > 0.0f;
}

void EqPanel::ParameterChangedHook(int32_t index)
{
    ParameterSet* set = GetSet();
    if (!set)
        return;
    // Normalised values are stored unclamped; every reaction reads them held to 0..1.
    const float normalised = SanitiseUnit(set->GetParameter(index < 0 ? kEnable : index));
    const int32_t input = m_first ? 0 : 1;

    if (index == kEnable || index == -1) {
        if (m_writer)
            m_writer->SetFloat(kEqEnableIndex[input], normalised > 0.0f ? 1.0f : 0.0f);
    } else if (index == kMode) {
        if (m_currentPreset)
            EqPresetList::ApplyDefaults(*m_currentPreset, *this, normalised == 0.0f);
    } else if (index == kModel) {
        m_currentPreset = ChosenPreset();
        if (SimpleMode())
            ApplyPreset(*m_currentPreset);
        else
            ApplyPresetCaptions(*m_currentPreset);
    } else if (index >= kLfControl && index < kLfControl + kBandCount) {
        if (SimpleMode() && m_currentPreset)
            EqPresetList::ApplyControl(*m_currentPreset, *this, index - 1, normalised);
    } else if (index == kInputGain) {
        WriteGain(kEqInputGainIndex[input], index);
    } else if (index == kOutputLevel) {
        WriteGain(kEqOutputLevelIndex[input], index);
    } else if (index >= kLowFreq && index < kLfShelf) {
        EqBand& band = m_bands[(index - kLowFreq) / 3];
        const float value = set->GetParameterValue(index);
        switch ((index - kLowFreq) % 3) {
        case 0: band.SetFreq(value); break;
        case 1: band.SetGain(value); break;
        default: band.SetQ(value); break;
        }
    } else if (index >= kLfShelf && index <= kLowPass) {
        if (normalised > 0.0f)
            OnTypeSwitch(index);
        else
            UpdateQCaption(TypeSwitchOf(index).band);
    }
}

void EqPanel::WriteGain(uint32_t index, int32_t param)
{
    if (!m_writer)
        return;
    const float db = GetSet()->GetParameterValue(param);
    float linear = float(std::pow(10.0, double(db / 20.0f)));
    for (int i = 0; i < 3; ++i)
        linear *= 0.5f;
    m_writer->SetFloat(index, linear);
}

void EqPanel::OnTypeSwitch(int32_t param)
{
    const TypeSwitch& row = TypeSwitchOf(param);
    const int32_t outer = Outer(row.band);
    m_bands[row.band].SetType(row.bandType);
    for (int32_t other : row.others) {
        if (Parameter* p = GetParameterObject(other))
            p->SetNormalisedValue(0.0f);
        PageController::RefreshParameter(other, true);
    }
    if (m_qKnobs[outer])
        m_qKnobs[outer]->SetEnabled(row.qEnabled);
    if (m_gainKnobs[outer])
        m_gainKnobs[outer]->SetEnabled(row.gainEnabled);
    if (m_symbols[outer])
        m_symbols[outer]->SetType(row.symbol);
    UpdateQCaption(row.band);
}

void EqPanel::UpdateQCaption(int32_t band)
{
    const int32_t outer = Outer(band);
    const int32_t filterType = band == kLf ? EqBand::kHighPass : EqBand::kLowPass;
    if (m_qKnobs[outer])
        m_qKnobs[outer]->SetCaption(m_bands[band].type == filterType ? "RES" : "Q");
}

void EqPanel::SelectLowType(int32_t code)
{
    SelectType(code == 2 ? kLfShelf : code == 4 ? kHiPass : kLfParametric, kLf);
}

void EqPanel::SelectHighType(int32_t code)
{
    SelectType(code == 1 ? kHfShelf : code == 3 ? kLowPass : kHfParametric, kHf);
}

void EqPanel::SelectType(int32_t selected, int32_t band)
{
    if (Parameter* p = GetParameterObject(selected)) {
        p->SetDefaultValue(1.0f);
        p->SetNormalisedValue(1.0f);
    }
    for (int32_t other : TypeSwitchOf(selected).others)
        if (Parameter* p = GetParameterObject(other))
            p->SetDefaultValue(0.0f);
    PageController::RefreshParameter(selected, true);
    UpdateQCaption(band);
}

void EqPanel::ApplyPreset(EqPreset& preset)
{
    SelectHighType(preset.highType);
    SelectLowType(preset.lowType);
    ApplyPresetCaptions(preset);
    EqPresetList::ApplyBands(preset, *this);
}

void EqPanel::ApplyPresetCaptions(const EqPreset& preset)
{
    for (int32_t k = 0; k < kBandCount; ++k)
        SetBandCaption(k, preset.captions[k]);
}

void EqPanel::SetBandCaption(int32_t band, const char* text)
{
    if (band >= 0 && band < kBandCount && m_captions[band])
        m_captions[band]->SetText(text);
}

void EqPanel::RefreshParameter(int32_t index)
{
    PageController::RefreshParameter(index, false);
}

void EqPanel::SetSampleRate(float rate)
{
    ParameterChangedHook(kEnable);
    ParameterChangedHook(kInputGain);
    ParameterChangedHook(kOutputLevel);
    for (EqBand& band : m_bands)
        band.SetSampleRate(rate);
}

void EqPanel::Tick(DrawContext*)
{
    for (EqBand& band : m_bands)
        band.Glide();
    if (!m_writer)
        return;
    const MeterList* meters = m_writer->GetMeterList();
    const int32_t input = m_first ? 0 : 1;
    if (!meters || !meters->IsEnabled(kMeterGroup[input]))
        return;
    if (m_inMeter)
        m_inMeter->SetLevel(meters->Meter(kInMeterSlot[input]));
    if (m_outMeter)
        m_outMeter->SetLevel(meters->Meter(kOutMeterSlot[input]));
}
