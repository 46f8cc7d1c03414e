#pragma once
// The custom input mix of one output pair: four input levels, two reverb sends and two reverb mutes
// (233 x 205, clipboard flavor "qimx"). The controller owns its parameter set and page; it loads no
// resources (the archive is loaded at start-up). Its window forwards every change into the main set.
// GUI thread only.

#include <cstdint>

#include "PAL/ViewLib/PageController.h"

class CustomMixPage : public PageController {
public:
    CustomMixPage();
    ~CustomMixPage() override;

    static constexpr int32_t kPairs = 5;
    // The main parameter that own parameter 0 of output pair k = 0..4 (outputs 2k+1 and 2k+2) maps
    // to: 104 + 8k (main parameters 104..143).
    static int32_t MainBase(int32_t pair) { return 104 + 8 * pair; }
};
