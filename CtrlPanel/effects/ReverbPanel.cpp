#include "CtrlPanel/effects/ReverbPanel.h"

#include <algorithm>
#include <cmath>

#include "CtrlPanel/device/ParamWriter.h"
#include "PAL/LayoutTables.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterSet.h"
#include "resources/params/ReverbParamDescriptors.h"

namespace {

const LayoutTable& Layout()
{
    return GetLayoutTable(LayoutWindow::Reverb);
}

}  // namespace

ReverbPanel::ReverbPanel()
    : PageController(ArchiveSource{}, Layout().records, Layout().count, kReverbParamDescriptors,
                     kReverbParamCount)
{
}

ReverbPanel* ReverbPanel::Create(ParamWriter* own, ParamWriter* shared, bool /*flag*/)
{
    ReverbPanel* panel = new ReverbPanel();
    panel->GetSet()->SetParameter(kEnable, 1.0f);
    panel->m_writer = own;
    panel->m_shared = shared;
    return panel;
}

void ReverbPanel::Process(const float* const*, int32_t, int32_t, int32_t, float* const*, int32_t) {}

void ReverbPanel::ParameterChangedHook(int32_t index)
{
    ApplyParameter(index, GetParameterValue(index));
}

uint32_t ReverbPanel::RateFactor(float rate)
{
    if (rate > 96001.0f)
        return 4;
    if (rate > 48001.0f)
        return 2;
    return 1;
}

float ReverbPanel::ToneCoefficient(float tone, uint32_t& rangeFlag)
{
    float x;
    if (tone >= 0.0f) {
        x = 0.5f * tone;
        rangeFlag = 1;
    } else {
        x = 0.9f * (tone + 1.0f) + 0.1f;
        rangeFlag = 0;
    }
    constexpr float kPi = 3.14159265f;
    return std::exp(-kPi * x * x * x);
}

void ReverbPanel::ApplyParameter(int32_t index, float value)
{
    const Parameter* parameter = GetParameterObject(index);
    if (!m_writer || !parameter || std::isnan(value))
        return;
    const float v = std::min(std::max(value, parameter->GetMinimum()), parameter->GetMaximum());
    switch (index) {
    case kRoomSize:
        m_writer->SetFloat(kRoomSizeEntry, v);
        break;
    case kDecayTime:
        m_writer->SetFloat(kDecayEntry, 1.0f - v);
        break;
    case kReverbTone: {
        uint32_t rangeFlag = 0;
        const float coefficient = ToneCoefficient(v, rangeFlag);
        m_writer->SetValue(kToneRangeEntry, rangeFlag);
        m_writer->SetFloat(kToneCoefficientEntry, coefficient);
        break;
    }
    case kEnable:
        m_writer->SetFloat(kEnableEntry, v);
        break;
    default:
        break;
    }
}

void ReverbPanel::SetSampleRate(float rate)
{
    if (m_shared)
        m_shared->SetValue(kRateFactorEntry, RateFactor(rate));
    for (int32_t index : {kRoomSize, kDecayTime, kReverbTone, kEnable})
        ParameterChangedHook(index);
}
