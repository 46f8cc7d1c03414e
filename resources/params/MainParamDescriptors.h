#pragma once
// Descriptor table of the main mixer window's parameter set (164 parameters).

#include "PAL/ParamDescriptor.h"

constexpr int kMainParamCount = 164;
extern const ParamDescriptor kMainParamDescriptors[kMainParamCount];
