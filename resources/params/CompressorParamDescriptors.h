#pragma once
// Descriptor table of a compressor panel's parameter set (11 parameters), and the parameters' indices.

#include <cstdint>

#include "PAL/ParamDescriptor.h"

namespace CompressorParam {
enum : int32_t {
    Mode = 0,         // "Simple/Advanced Mode": above 0 the preset selector and Amount drive 6..10
    Model = 1,        // "Simple Compressor Model": the preset selector
    Amount = 2,
    InputGain = 3,    // dB
    OutputGain = 4,   // dB
    Enable = 5,
    Threshold = 6,    // dB
    Ratio = 7,
    AttackTime = 8,   // ms
    ReleaseTime = 9,  // s
    MakeupGain = 10,  // dB
};
}  // namespace CompressorParam

constexpr int kCompressorParamCount = 11;
extern const ParamDescriptor kCompressorParamDescriptors[kCompressorParamCount];
