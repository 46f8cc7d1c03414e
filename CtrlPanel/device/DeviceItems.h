#pragma once
// Device items the HAL and the polling thread use, and the unit's sample-rate codes.

#include <cstdint>

namespace HalItem {
constexpr uint32_t kRoutingFirst = 55;  // 55..59 input routing words
constexpr uint32_t kRoutingWord = 0x06000000;
constexpr uint32_t kMonoInput = 63;
constexpr uint32_t kDspMode = 78;
constexpr uint32_t kClockStatus = 79;
constexpr uint32_t kDspBooted = 80;
constexpr uint32_t kStoreToFlash = 82;
constexpr uint32_t kExternalClock = 114;
constexpr uint32_t kDateDayMonth = 256;
constexpr uint32_t kDateYear = 257;
constexpr uint32_t kStereoLink = 500;
constexpr uint32_t kDspVersion = 1022;
constexpr uint32_t kDspInfo = 1023;
constexpr uint32_t kFirstDspItem = 500;
constexpr uint32_t kStereoLinkOn = 0x7FFFFFFF;
}  // namespace HalItem

// Sample rate in Hz of a clock-status rate code; 0 for codes that name no rate.
constexpr int RateFromCode(uint32_t code)
{
    switch (code) {
    case 0: return 44100;
    case 1: return 48000;
    case 3: return 88200;
    case 4: return 96000;
    case 5: return 176400;
    case 6: return 192000;
    default: return 0;
    }
}
