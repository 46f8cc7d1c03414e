#pragma once
// The main window at 176.4 and 192 kHz (640 x 94) over the main parameter set. It has no meters: meter levels
// change nothing. GUI thread only.

#include "PAL/MeterPage.h"

class HighRatePage : public MeterPage {
public:
    explicit HighRatePage(ParameterSet* set);
};
