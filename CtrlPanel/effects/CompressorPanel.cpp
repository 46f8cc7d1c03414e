#include "CtrlPanel/effects/CompressorPanel.h"

#include <cmath>

#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/CompPresets.h"
#include "PAL/LayoutTables.h"
#include "PAL/Parameter.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/CheckedControl.h"
#include "PAL/ViewLib/UnitValue.h"
#include "PAL/ViewLib/flInvPPM.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/WindowRecords.h"
#include "resources/params/CompressorParamDescriptors.h"

namespace {


// Meter groups and the first of each group's three slots (input, gain, output). The gain slot rests
// at 1.0, no reduction.
constexpr uint32_t kFirstMeterGroup = 2;
constexpr uint32_t kSecondMeterGroup = 3;
constexpr int kFirstMeterSlot = 6;
constexpr int kSecondMeterSlot = 9;

const char kPresetResource[] = "VelbrinCompPresets.csv";

// dB to a linear factor, prescaled by 1/8 so that +18 dB stays below 1.
float ScaledGain(float db)
{
    return std::pow(10.0f, db / 20.0f) / 8.0f;
}

}  // namespace

std::unique_ptr<CompressorPanel> CompressorPanel::Create(ParamWriter* writer, bool first)
{
    auto panel = std::make_unique<CompressorPanel>();
    panel->m_writer = writer;
    panel->m_first = first;
    return panel;
}

CompressorPanel::CompressorPanel()
    : PageController(ArchiveSource{}, GetLayoutTable(LayoutWindow::Compressor).records,
                     GetLayoutTable(LayoutWindow::Compressor).count, kCompressorParamDescriptors, kCompressorParamCount)
{
    m_inputMeter = CheckedControl<flPPM>(*GetPage(), CompressorRecords::kInputMeter, "flPPM", "CompressorPanel");
    m_reductionMeter =
        CheckedControl<flInvPPM>(*GetPage(), CompressorRecords::kReductionMeter, "flInvPPM", "CompressorPanel");
    m_outputMeter = CheckedControl<flPPM>(*GetPage(), CompressorRecords::kOutputMeter, "flPPM", "CompressorPanel");
    LoadPresets();
}

CompressorPanel::~CompressorPanel() = default;

int32_t CompressorPanel::GetEnableParameterIndex(int32_t kind)
{
    return kind == 0 ? CompressorParam::Enable : -1;
}

void CompressorPanel::LoadPresets()
{
    uint32_t size = 0;
    const uint8_t* text = GetResourceData(kPresetResource, size);
    m_presets = std::make_unique<CompPresetList>(reinterpret_cast<const char*>(text), size);
    m_current = m_presets->Get(0);
}

void CompressorPanel::Process(const float* const*, int32_t, int32_t, int32_t, float* const*, int32_t) {}

void CompressorPanel::ChoosePreset()
{
    // Nearest of the list's evenly spaced positions; any stored value (below 0, above 1, NaN) picks an
    // entry of the list.
    const int32_t count = int32_t(m_presets->Count());
    const float position = GetParameter(CompressorParam::Model) * float(count - 1) + 0.5f;
    m_current = m_presets->Get(size_t(ClampIndex(position, count)));
}

void CompressorPanel::SendValue(uint32_t dspIndex, float value)
{
    if (m_writer)
        m_writer->SetFloat(dspIndex, value);
}

void CompressorPanel::ParameterChangedHook(int32_t index)
{
    using namespace CompressorParam;
    // Plain values come through the taper, which holds any stored value to the parameter's range.
    const float value = GetParameterValue(index);
    const bool simple = GetParameterValue(Mode) > 0.0f;
    switch (index) {
    case Model:
        ChoosePreset();
        if (simple)
            CompPresetList::Apply(*m_current, *this);
        break;
    case Amount:
        if (simple)
            CompPresetList::ApplyRanged(*m_current, *this, value);
        break;
    case InputGain:
        SendValue(kCompInputGainIndex, ScaledGain(value));
        break;
    case OutputGain:
        SendValue(kCompOutputGainIndex, ScaledGain(value));
        break;
    case Enable:
        m_enabled = value > 0.0f;
        SendValue(kCompEnableIndex, m_enabled ? 1.0f : 0.0f);
        break;
    case Threshold:
        SendValue(kCompThresholdIndex, value / 64.0f);
        break;
    case Ratio:
        SendValue(kCompRatioIndex, value / 2.0f);
        break;
    case AttackTime: {
        const double samples = (double(value) / 1000.0) * double(GetSampleRate());
        SendValue(kCompAttackIndex, float(-std::exp(-1.0 / samples)));
        break;
    }
    case ReleaseTime:
        SendValue(kCompReleaseIndex, std::exp(-1.0f / (value * GetSampleRate())));
        break;
    case MakeupGain:
        SendValue(kCompMakeupIndex, ScaledGain(value));
        break;
    default:
        break;
    }
}

void CompressorPanel::SetSampleRate(float)
{
    // Choosing the preset again applies it in simple mode, which moves Amount to the preset's start.
    const float amount = GetParameterValue(CompressorParam::Amount);
    for (int32_t i = 0; i < kCompressorParamCount; ++i)
        ParameterChangedHook(i);
    if (Parameter* parameter = GetParameterObject(CompressorParam::Amount))
        parameter->SetValue(amount);
    RefreshParameter(CompressorParam::Amount, true);
}

void CompressorPanel::Tick(DrawContext*)
{
    if (!m_writer)
        return;
    const MeterList* meters = m_writer->GetMeterList();
    if (!meters || !meters->IsEnabled(m_first ? kFirstMeterGroup : kSecondMeterGroup))
        return;
    const int slot = m_first ? kFirstMeterSlot : kSecondMeterSlot;
    if (m_inputMeter)
        m_inputMeter->SetLevel(meters->Meter(slot));
    if (m_reductionMeter)
        m_reductionMeter->SetLevel(m_enabled ? 1.0f - meters->Meter(slot + 1) : 0.0f);
    if (m_outputMeter)
        m_outputMeter->SetLevel(meters->Meter(slot + 2));
}

