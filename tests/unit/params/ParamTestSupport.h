#pragma once
// Descriptor records for parameter tests.

#include "PAL/ParamDescriptor.h"

#include <cstring>

inline ParamDescriptor MakeDescriptor(const char* name, float minimum, float maximum, float defaultValue,
                                      int32_t unit, int32_t taper, int32_t index = 0)
{
    ParamDescriptor d{};
    d.index = index;
    strncpy(d.name, name, sizeof d.name - 1);
    d.minimum = minimum;
    d.maximum = maximum;
    d.defaultValue = defaultValue;
    d.unitKind = unit;
    d.taperKind = taper;
    return d;
}
