#pragma once
// Descriptor table of the sample-rate panel (4 parameters): display state polled from the device,
// never sent to a writer block nor stored in a mix.

#include "PAL/ParamDescriptor.h"

constexpr int kSampleRateParamCount = 4;
extern const ParamDescriptor kSampleRateParamDescriptors[kSampleRateParamCount];
