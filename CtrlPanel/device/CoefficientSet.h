#pragma once
// One second-order filter section as the host hands it to the device: the coefficients divided by
// 2^shift so that every value sent lies below 1 in magnitude. ParamWriter::SetCoefficientSet decides
// which of them go out and where.

#include <cstdint>

struct CoefficientSet {
    int32_t shift = 0;  // halvings applied to every coefficient
    float b[5] = {};    // numerator b0..b2; b3, b4 are 0
    float a[5] = {};    // denominator a0..a2 (a0 is 0 where 1 is implied); a3, a4 are 0
};
