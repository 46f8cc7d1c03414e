#include "PAL/ParseEngineeringNumber.h"

namespace {
// Codes up to 0x20 taken as signed bytes: blanks, control characters, NUL and bytes >= 0x80.
bool IsSeparator(char c) { return static_cast<signed char>(c) <= 0x20; }
}  // namespace

float ParseEngineeringNumber(const char* text, int32_t length)
{
    if (!text || length <= 0)
        return 0.0f;
    int32_t pos = 0;
    while (pos < length && text[pos] != '\0' && IsSeparator(text[pos]))
        ++pos;

    double value = 0.0;
    double weight = 1.0;
    double multiplier = 1.0;
    bool negative = false;
    bool fraction = false;
    for (; pos < length && !IsSeparator(text[pos]); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            const int d = c - '0';
            if (fraction) {
                weight *= 0.1;
                value += d * weight;
            } else {
                value = value * 10.0 + d;
            }
            continue;
        }
        double scale = 0.0;
        switch (c) {
        case '.': fraction = true; break;
        case '-': negative = true; break;
        case 'k': case 'K': scale = 1000.0; break;
        case 'M': scale = 1000000.0; break;
        case 'm': scale = 0.001; break;
        case 'u': case 'U': scale = 0.000001; break;
        case 'n': case 'N': scale = 0.000000001; break;
        default: break;
        }
        if (scale != 0.0) {
            multiplier = scale;
            fraction = true;
        }
    }
    return static_cast<float>((negative ? -value : value) * multiplier);
}
