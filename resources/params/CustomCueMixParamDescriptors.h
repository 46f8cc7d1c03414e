#pragma once
// Descriptor table of a custom playback-mix window's own parameter set (5 parameters). Parameter i
// is forwarded to main parameter base + i of its output pair.

#include "PAL/ParamDescriptor.h"

constexpr int kCustomCueMixParamCount = 5;
extern const ParamDescriptor kCustomCueMixParamDescriptors[kCustomCueMixParamCount];
