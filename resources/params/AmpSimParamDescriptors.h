#pragma once
// Descriptor table of an amp-simulator panel's parameter set (7 parameters).

#include "PAL/ParamDescriptor.h"

constexpr int kAmpSimParamCount = 7;
extern const ParamDescriptor kAmpSimParamDescriptors[kAmpSimParamCount];
