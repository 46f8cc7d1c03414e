#pragma once
// A main-window page: a control page of the main parameter set that the main frame's 100 ms timer also
// hands the device's meter levels, before the window's own tick. Here SetMeterLevels does nothing;
// the pages with meters route levels 0..5 (meter group 1) to their peak meters by record number.
//
// GUI thread only.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "PAL/ViewLib/ControlPage.h"

class MeterLevels;
class flPPM;

class MeterPage : public ControlPage {
public:
    MeterPage(ParameterSet* set, const LayoutRecord* table, int32_t count);

    // Pushes the page's levels into its meters (each push lets a bar fall back or rise; the window's
    // tick draws). Null levels change nothing.
    virtual void SetMeterLevels(const MeterLevels* levels);

    // Where one level goes: meter slot and the record number of its peak meter.
    struct MeterRoute {
        int32_t slot;
        int32_t control;
    };

protected:
    // Finds the meter of each route, in order; a record that is not a peak meter is traced once here
    // and left out.
    void BindMeters(const MeterRoute* routes, size_t count);
    // Pushes every bound route's level, in route order.
    void PushLevels(const MeterLevels* levels);

private:
    std::vector<std::pair<int32_t, flPPM*>> m_meters;
};
