#pragma once
// One device item (register) and its raw value, the unit of every transfer to and from the unit.

#include <cstdint>

struct ItemValue {
    uint32_t item;   // device item number
    uint32_t value;  // raw value in host order; DSP values are signed 1.31 fixed point
};
