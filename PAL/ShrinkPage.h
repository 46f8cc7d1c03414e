#pragma once
// The reduced main window (361 x 316) over the main parameter set, with six peak meters fed from meter
// group 1. GUI thread only.

#include <cstdint>

#include "PAL/MeterPage.h"

class ShrinkPage : public MeterPage {
public:
    explicit ShrinkPage(ParameterSet* set);

    // Slots 2, 3, 0, 1, 4, 5, in this order, each to its meter.
    void SetMeterLevels(const MeterLevels* levels) override;

    // The routes, in push order (the layout must keep a peak meter at each record).
    static constexpr MeterRoute kRoutes[6] = {{2, 27}, {3, 28}, {0, 30}, {1, 31}, {4, 32}, {5, 53}};
};
