#pragma once
// Comparing what a control drew with the artwork it was drawn from.

#include <cstdint>

#include "PAL/Bitmap.h"

// Pixels of the window in r that differ from the source bitmap read from (sx, sy).
inline int32_t Differences(const Bitmap& window, Rect r, const Bitmap& source, int32_t sx, int32_t sy)
{
    int32_t n = 0;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            n += window.GetPixel(x, y) != source.GetPixel(sx + x - r.left, sy + y - r.top);
    return n;
}
