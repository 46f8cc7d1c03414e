#pragma once
// The full main window (640 x 404) over the main parameter set, with six peak meters fed from meter
// group 1. GUI thread only.

#include <cstdint>

#include "PAL/MeterPage.h"
#include "PAL/WindowRecords.h"

class MainPage : public MeterPage {
public:
    explicit MainPage(ParameterSet* set);

    // Slots 2, 3, 0, 1, 4, 5, in this order, each to its meter.
    void SetMeterLevels(const MeterLevels* levels) override;

    // The routes, in push order (the layout must keep a peak meter at each record).
    static constexpr MeterRoute kRoutes[6] = {
        {2, MainRecords::kAnalog1Meter},      {3, MainRecords::kAnalog2Meter},
        {0, MainRecords::kSpdifLeftMeter},    {1, MainRecords::kSpdifRightMeter},
        {4, MainRecords::kEffectInput1Meter}, {5, MainRecords::kEffectInput2Meter},
    };
};
