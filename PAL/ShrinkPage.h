#pragma once
// The reduced main window (361 x 316) over the main parameter set, with six peak meters fed from meter
// group 1. GUI thread only.

#include <cstdint>

#include "PAL/MeterPage.h"
#include "PAL/WindowRecords.h"

class ShrinkPage : public MeterPage {
public:
    explicit ShrinkPage(ParameterSet* set);

    // Slots 2, 3, 0, 1, 4, 5, in this order, each to its meter.
    void SetMeterLevels(const MeterLevels* levels) override;

    // The routes, in push order (the layout must keep a peak meter at each record).
    static constexpr MeterRoute kRoutes[6] = {
        {2, ShrinkRecords::kAnalog1Meter},      {3, ShrinkRecords::kAnalog2Meter},
        {0, ShrinkRecords::kSpdifLeftMeter},    {1, ShrinkRecords::kSpdifRightMeter},
        {4, ShrinkRecords::kEffectInput1Meter}, {5, ShrinkRecords::kEffectInput2Meter},
    };
};
