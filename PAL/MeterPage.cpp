#include "PAL/MeterPage.h"

#include "PAL/MeterLevels.h"
#include "PAL/ViewLib/CheckedControl.h"
#include "PAL/ViewLib/flPPM.h"

MeterPage::MeterPage(ParameterSet* set, const LayoutRecord* table, int32_t count) : ControlPage(set, table, count) {}

void MeterPage::SetMeterLevels(const MeterLevels*) {}

void MeterPage::BindMeters(const MeterRoute* routes, size_t count)
{
    m_meters.clear();
    for (size_t i = 0; i < count; ++i)
        if (flPPM* meter = CheckedControl<flPPM>(*this, routes[i].control, "flPPM", "MeterPage::SetMeterLevels()"))
            m_meters.emplace_back(routes[i].slot, meter);
}

void MeterPage::PushLevels(const MeterLevels* levels)
{
    if (!levels)
        return;
    for (const auto& [slot, meter] : m_meters)
        meter->SetLevel(levels->Meter(slot));
}
