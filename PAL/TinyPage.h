#pragma once
// The smallest main window (389 x 68) over the main parameter set. It has no meters: meter levels
// change nothing. GUI thread only.

#include "PAL/MeterPage.h"

class TinyPage : public MeterPage {
public:
    explicit TinyPage(ParameterSet* set);
};
