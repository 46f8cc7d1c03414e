#pragma once
// The number reader behind typed parameter values: engineering notation, forgiving by design.
//
// Leading blanks and control characters are skipped; reading stops at the first further one (or at
// a NUL, or after length characters). Digits accumulate, '.' starts the decimals, '-' anywhere makes
// the result negative, and a scale letter multiplies and starts the decimals: 2k2 is 2200, 4m7 is
// 0.0047 (k/K 1e3, M 1e6, m 1e-3, u/U 1e-6, n/N 1e-9; a later letter replaces an earlier one).
// Every other character is skipped: "-6dB" is -6, "1,5" is 15, "3e2" is 32. No digits give 0.
// Bytes of 0x80 and above count as blanks.

#include <cstdint>

float ParseEngineeringNumber(const char* text, int32_t length);
