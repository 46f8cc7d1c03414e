#pragma once
// Normalised values reach controls from mix files, the clipboard and the device: any float at all.
// These turn them into something safe to draw with before any conversion to an integer.

#include <cmath>
#include <cstdint>

// NaN gives 0; otherwise the value held to 0..1.
inline float SanitiseUnit(float value)
{
    if (!(value >= 0.0f))
        return 0.0f;  // NaN and negatives
    return value > 1.0f ? 1.0f : value;
}

// truncate(scaled) held to 0..count-1 (0 for NaN or count < 1): the image index of a value.
inline int32_t ClampIndex(float scaled, int32_t count)
{
    if (count < 1 || !(scaled >= 1.0f))
        return 0;
    if (scaled >= float(count - 1))
        return count - 1;
    return int32_t(scaled);
}
