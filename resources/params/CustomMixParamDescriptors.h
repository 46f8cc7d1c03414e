#pragma once
// Descriptor table of a custom input-mix window's own parameter set (8 parameters). Parameter i is
// forwarded to main parameter base + i of its output pair.

#include "PAL/ParamDescriptor.h"

constexpr int kCustomMixParamCount = 8;
extern const ParamDescriptor kCustomMixParamDescriptors[kCustomMixParamCount];
