#include "CtrlPanel/effects/SampleRatePanel.h"

#include <cmath>
#include <iterator>

#include "CtrlPanel/VelbrinHAL.h"
#include "PAL/LayoutTables.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/CheckedControl.h"
#include "PAL/ViewLib/UnitValue.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flExtLed.h"
#include "PAL/WindowRecords.h"
#include "resources/params/SampleRateParamDescriptors.h"

namespace {

constexpr int kRates[6] = {44100, 48000, 88200, 96000, 176400, 192000};

}  // namespace

SampleRatePanel::SampleRatePanel(const ArchiveSource& source)
    : PageController(source, GetLayoutTable(LayoutWindow::SampleRate).records,
                     GetLayoutTable(LayoutWindow::SampleRate).count, kSampleRateParamDescriptors, kSampleRateParamCount)
{
    for (int32_t record : {SampleRateRecords::kInUse, SampleRateRecords::kLock})
        if (auto* lamp = CheckedControl<flButton>(*GetPage(), record, "flButton", "SampleRatePanel"))
            lamp->SetEnabled(false);
    m_extLed = CheckedControl<flExtLed>(*GetPage(), SampleRateRecords::kExtLed, "flExtLed", "SampleRatePanel");
    Refresh();
}

SampleRatePanel::~SampleRatePanel() = default;

VelbrinHAL* SampleRatePanel::Hal()
{
    return VelbrinHAL::HasInstance() ? VelbrinHAL::GetInstance() : nullptr;
}

int SampleRatePanel::RateOfIndex(int32_t index)
{
    return index >= 1 && index <= int32_t(std::size(kRates)) ? kRates[index - 1] : 0;
}

int32_t SampleRatePanel::IndexOfRate(int hz)
{
    for (int32_t i = 0; i < int32_t(std::size(kRates)); ++i)
        if (kRates[i] == hz)
            return i + 1;
    return 0;
}

int32_t SampleRatePanel::SelectedIndex()
{
    const Parameter* rate = GetParameterObject(kRateIndex);
    if (!rate)
        return 0;
    const float n = SanitiseUnit(rate->GetNormalisedValue());
    return int32_t(std::trunc(rate->GetMinimum() + n * float(rate->GetSteps())));
}

void SampleRatePanel::ParameterChangedHook(int32_t index)
{
    VelbrinHAL* hal = Hal();
    if (!hal)
        return;
    if (index == kRateIndex) {
        const int rate = RateOfIndex(SelectedIndex());
        if (rate != 0 && rate != hal->GetSampleRate())
            hal->SetSampleRate(rate);
    } else if (index == kPreferExtLock) {
        if (!hal->IsRateUpTo96k())
            return;
        const bool want = GetParameterValue(kPreferExtLock) > 0.0f;
        if (want != hal->IsExternalClock())
            hal->SetExternalClock(want);
    }
}

void SampleRatePanel::Tick(DrawContext*)
{
    Refresh();
}

void SampleRatePanel::Refresh()
{
    VelbrinHAL* hal = Hal();
    const int rate = hal ? hal->GetSampleRate() : 0;
    if (rate == 0)
        return;
    const int32_t index = IndexOfRate(rate);
    if (index != 0 && index != SelectedIndex())
        SetParameterValue(kRateIndex, float(index));
    const bool upTo96k = hal->IsRateUpTo96k();
    if (m_extLed && m_extLed->IsEnabled() != upTo96k)
        m_extLed->SetEnabled(upTo96k);
    if (upTo96k)
        SetSwitch(kPreferExtLock, hal->IsExternalClock());
    SetSwitch(kExtLocked, hal->IsSpdifLocked());
    SetSwitch(kCardInUse, hal->IsAudioRunning());
}

void SampleRatePanel::SetSwitch(int32_t index, bool on)
{
    const float value = on ? 1.0f : 0.0f;
    if (GetParameter(index) != value)
        SetParameter(index, value);
}
