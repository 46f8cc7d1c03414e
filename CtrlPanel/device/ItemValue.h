#pragma once
// One device item (register) and its raw value: the unit of every device read and write.
// DSP values are signed 1.31 fixed point.

#include <cstdint>

struct ItemValue {
    uint32_t item;
    uint32_t value;
};
