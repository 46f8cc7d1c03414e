#pragma once
// The main window's parameter set (the mixer). It adds nothing to ParameterSet; the type marks the
// set the mix engine and the polling thread's read-back work on.

#include "PAL/ParameterSet.h"

class MainParameterSet : public ParameterSet {
public:
    using ParameterSet::ParameterSet;
    ~MainParameterSet() override = default;
};
