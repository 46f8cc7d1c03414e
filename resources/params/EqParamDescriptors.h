#pragma once
// Descriptor table of an EQ panel's parameter set (27 parameters): the simple-mode model and its four
// Control knobs, enable, input and output gain, frequency, gain and Q of the four bands, and the
// three type switches of each outer band.

#include "PAL/ParamDescriptor.h"

constexpr int kEqParamCount = 27;
extern const ParamDescriptor kEqParamDescriptors[kEqParamCount];
