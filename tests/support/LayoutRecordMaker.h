#pragma once
// Layout records for test tables.

#include <initializer_list>

#include "PAL/Bitmap.h"
#include "PAL/LayoutRecord.h"

// A record for test tables.
inline LayoutRecord Record(int32_t index, Rect r, const char* className, int32_t parent, const char* strings,
                           std::initializer_list<int32_t> params = {}, int32_t hidden = 0)
{
    LayoutRecord record{};
    record.index = index;
    record.left = r.left;
    record.right = r.right;
    record.top = r.top;
    record.bottom = r.bottom;
    record.className = className;
    record.parent = parent;
    record.hidden = hidden;
    record.strings = strings;
    int32_t k = 0;
    for (int32_t p : params)
        record.params[k++] = p;
    record.params[k] = -1;
    return record;
}
