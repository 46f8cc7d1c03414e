#include "CtrlPanel/effects/AmpSimPanel.h"

#include <cmath>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpModel.h"
#include "PAL/LayoutTables.h"
#include "PAL/ViewLib/CheckedControl.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/ViewLib/UnitValue.h"
#include "PAL/WindowRecords.h"
#include "resources/params/AmpSimParamDescriptors.h"

namespace {

const LayoutTable& Layout()
{
    return GetLayoutTable(LayoutWindow::AmpSim);
}

// The meter group and slot of each simulator.
constexpr uint32_t kFirstMeterGroup = 6;
constexpr uint32_t kSecondMeterGroup = 7;
constexpr int kFirstMeterSlot = 16;
constexpr int kSecondMeterSlot = 17;

}  // namespace

AmpSimPanel::AmpSimPanel()
    : PageController(ArchiveSource{}, Layout().records, Layout().count, kAmpSimParamDescriptors,
                     kAmpSimParamCount)
{
    m_low.Init(true);
    m_mid.Init(true);
    m_high.Init(true);
    UpdateFilters();
    // The bands get the gains the tone controls show, so the first rate sends consistent bands.
    for (int32_t index : {kLowGain, kMidGain, kHighGain})
        ParameterChangedHook(index);
    m_shaper.SetSampleRate(GetSampleRate());
    m_meter = CheckedControl<LevelMeter>(*GetPage(), AmpSimRecords::kMeter, "LevelMeter", "AmpSimPanel");
}

AmpSimPanel* AmpSimPanel::Create(ParamWriter* writer, bool first)
{
    AmpSimPanel* panel = new AmpSimPanel();
    panel->AttachWriter(writer, first);
    return panel;
}

int32_t AmpSimPanel::GetEnableParameterIndex(int32_t kind)
{
    return kind == 0 ? kEnable : -1;
}

void AmpSimPanel::Process(const float* const*, int32_t, int32_t, int32_t, float* const*, int32_t) {}

void AmpSimPanel::AttachWriter(ParamWriter* writer, bool first)
{
    m_writer = writer;
    m_first = first;
    m_shaper.AttachWriter(writer, first);
    m_low.writer = writer;
    m_low.dspIndex = int32_t(kAmpLowToneSlot);
    m_mid.writer = writer;
    m_mid.dspIndex = int32_t(kAmpMidToneSlot);
    m_high.writer = writer;
    m_high.dspIndex = int32_t(kAmpHighToneSlot);
}

void AmpSimPanel::UpdateFilters()
{
    const float fs = GetSampleRate();
    const AmpModel* model = m_shaper.GetModel();
    m_low.SetType(EqBand::kBell);
    m_low.SetQ(model->GetLowQ());
    m_low.SetFreq(model->GetLowFreq());
    m_low.SetSampleRate(fs);
    m_mid.SetType(EqBand::kBell);
    m_mid.SetQ(model->GetMidQ());
    m_mid.SetFreq(model->GetMidFreq());
    m_mid.SetSampleRate(fs);
    // The high band keeps the analog-model bell it was initialised with.
    m_high.SetQ(model->GetHighQ());
    m_high.SetFreq(model->GetHighFreq());
    m_high.SetSampleRate(fs);
}

float AmpSimPanel::Normalised(int32_t index)
{
    return SanitiseUnit(GetParameter(index));
}

float AmpSimPanel::ToneFraction(int32_t index)
{
    return (GetParameterValue(index) - 1.0f) / 9.0f;
}

void AmpSimPanel::ParameterChangedHook(int32_t index)
{
    const AmpModel* model = m_shaper.GetModel();
    switch (index) {
    case kEnable:
        if (m_writer)
            m_writer->SetFloat(kAmpEnableIndex, Normalised(kEnable) > 0.0f ? 1.0f : 0.0f);
        break;
    case kDrive:
        m_shaper.SetDrive(Normalised(kDrive));
        break;
    case kLowGain:
        m_low.SetGain(model->MapLowGain(ToneFraction(kLowGain)));
        break;
    case kMidGain:
        m_mid.SetGain(model->MapMidGain(ToneFraction(kMidGain)));
        break;
    case kHighGain:
        m_high.SetGain(model->MapHighGain(ToneFraction(kHighGain)));
        break;
    case kOutLevel:
        if (m_writer) {
            const double level = std::pow(10.0, double(GetParameterValue(kOutLevel)) / 20.0) * 0.5;
            m_writer->SetFloat(kAmpOutputLevelIndex, float(level));
        }
        break;
    case kType: {
        // Thirds of the range give models 0..2; only the upper end gives model 3.
        const int model = int(3.0f * Normalised(kType)) % AmpModel::kModelCount;
        if (model == m_shaper.GetModelIndex())
            break;
        m_shaper.SetModel(model);
        UpdateFilters();
        for (int32_t tone : {kLowGain, kMidGain, kHighGain})
            ParameterChangedHook(tone);
        SetSampleRate(GetSampleRate());
        break;
    }
    default:
        break;
    }
}

void AmpSimPanel::SetSampleRate(float rate)
{
    ParameterChangedHook(kEnable);
    ParameterChangedHook(kOutLevel);
    m_shaper.SetSampleRate(rate);
    m_low.SetSampleRate(rate);
    m_mid.SetSampleRate(rate);
    m_high.SetSampleRate(rate);
}

void AmpSimPanel::Tick(DrawContext*)
{
    m_shaper.SendCurve();
    if (m_writer)
        PushMeterLevel();
}

void AmpSimPanel::PushMeterLevel()
{
    const MeterList* meters = m_writer->GetMeterList();
    if (!meters || !meters->IsEnabled(m_first ? kFirstMeterGroup : kSecondMeterGroup))
        return;
    if (m_meter)
        m_meter->SetLevel(meters->Meter(m_first ? kFirstMeterSlot : kSecondMeterSlot));
}
