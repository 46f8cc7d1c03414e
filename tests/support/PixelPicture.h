#pragma once
// Turns pixels into text rows for exact comparisons: each pixel becomes one character chosen by its
// colour ('#' black, '.' white, the test's letters for its colours, '?' for any other), rows joined by '\n'.

#include <map>
#include <string>

#include "PAL/Bitmap.h"

inline std::string Picture(const Bitmap& bitmap, const Rect& area, const std::map<uint32_t, char>& colours = {})
{
    std::string text;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        if (y > area.top)
            text += '\n';
        for (int32_t x = area.left; x < area.right; ++x) {
            const uint32_t p = bitmap.GetPixel(x, y);
            const auto it = colours.find(p);
            if (it != colours.end())
                text += it->second;
            else if (p == 0x000000)
                text += '#';
            else if (p == 0xFFFFFF)
                text += '.';
            else
                text += '?';
        }
    }
    return text;
}

inline std::string Picture(const Bitmap& bitmap, const std::map<uint32_t, char>& colours = {})
{
    return Picture(bitmap, bitmap.GetRect(), colours);
}

// A bitmap of one colour.
inline void FillColour(Bitmap& bitmap, uint32_t colour)
{
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x)
            bitmap.SetPixel(x, y, colour);
}
