#pragma once
// The custom playback mix of one output pair: five playback levels (319 x 205, clipboard flavor
// "qcmx"). The controller owns its parameter set and page; it loads no resources (the archive is
// loaded at start-up). Its window forwards every change into the main set. GUI thread only.

#include <cstdint>

#include "PAL/ViewLib/PageController.h"

class CustomCueMixPage : public PageController {
public:
    CustomCueMixPage();
    ~CustomCueMixPage() override;

    static constexpr int32_t kPairs = 5;
    // The main parameter that own parameter 0 of output pair k = 0..4 (outputs 2k+1 and 2k+2) maps
    // to: 69 + 5k (main parameters 69..93).
    static int32_t MainBase(int32_t pair) { return 69 + 5 * pair; }
};
