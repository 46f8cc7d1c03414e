#pragma once
// Probes for controls composed from real artwork. Every blend of the toolkit gives, per channel,
// (source x mask + (255 - mask) x destination) / 256, so an opaque mask shows the source at 255/256.

#include <gtest/gtest.h>

#include <string>

#include "PAL/Bitmap.h"

inline uint32_t Blend(uint32_t s, uint32_t d, uint32_t m)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF, mc = (m >> shift) & 0xFF;
        out |= ((sc * mc + (255 - mc) * dc) / 256) << shift;
    }
    return out;
}

inline uint32_t Dim(uint32_t pixel)
{
    return Blend(pixel, 0, 0xFFFFFF);
}

// Wherever mask (read from (mx, my)) is opaque over a w x h area, the window at (wx + i, wy + j) must
// show source at (sx + i, sy + j). Returns the count of pixels checked.
inline int ExpectOpaqueShows(const Bitmap& window, int32_t wx, int32_t wy, const Bitmap& source, int32_t sx,
                             int32_t sy, const Bitmap& mask, int32_t mx, int32_t my, int32_t w, int32_t h,
                             const std::string& what)
{
    int checked = 0;
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i)
            if (mask.GetPixel(mx + i, my + j) == 0xFFFFFFu) {
                ++checked;
                if (window.GetPixel(wx + i, wy + j) != Dim(source.GetPixel(sx + i, sy + j))) {
                    ADD_FAILURE() << what << ": pixel " << i << "," << j;
                    return checked;
                }
            }
    return checked;
}
