#pragma once
// Descriptor table of a reverb panel's parameter set (4 parameters).

#include "PAL/ParamDescriptor.h"

constexpr int kReverbParamCount = 4;
extern const ParamDescriptor kReverbParamDescriptors[kReverbParamCount];
