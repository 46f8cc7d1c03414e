#pragma once
// Probes for controls composed from real artwork: where a mask is fully opaque the window must show
// the masked source (each channel times 255 / 256, as every blend of the toolkit gives), and a blend
// through a clear mask dims the destination the same way.

#include <gtest/gtest.h>

#include <string>

#include "PAL/Bitmap.h"
#include "PAL/ParameterListener.h"

inline uint32_t Dim(uint32_t pixel)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((((pixel >> shift) & 0xFF) * 255) / 256) << shift;
    return out;
}

// Source s through mask m over destination d, channel by channel.
inline uint32_t Blend(uint32_t s, uint32_t d, uint32_t m)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF, mc = (m >> shift) & 0xFF;
        out |= ((sc * mc + (255 - mc) * dc) / 256) << shift;
    }
    return out;
}

// Over a w x h area, wherever mask (read from (mx, my)) is 0xFFFFFF the window at (wx + i, wy + j) must
// be Dim of source at (sx + i, sy + j). Returns the count of pixels checked.
inline int ExpectOpaqueShows(const Bitmap& window, int32_t wx, int32_t wy, const Bitmap& source, int32_t sx,
                             int32_t sy, const Bitmap& mask, int32_t mx, int32_t my, int32_t w, int32_t h,
                             const std::string& what)
{
    int checked = 0, failed = 0;
    for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) {
            if (mask.GetPixel(mx + i, my + j) != 0xFFFFFFu)
                continue;
            ++checked;
            if (window.GetPixel(wx + i, wy + j) != Dim(source.GetPixel(sx + i, sy + j)) && failed++ < 3)
                ADD_FAILURE() << what << ": pixel " << i << "," << j;
        }
    return checked;
}

// Counts the writes a page reports, per parameter.
struct WriteCounter : ParameterListener {
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t index) override { ++writes[index]; }
    int writes[8] = {};
};
