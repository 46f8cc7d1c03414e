#pragma once
// What a firmware image's header says, for display. Texts are NUL-terminated.

#include <cstdint>

struct FirmwareImageInfo {
    char date[11] = {};         // "MM/DD/YYYY"
    char time[9] = {};          // "HH:MM:SS"
    char description[44] = {};
    uint32_t version3 = 0;
    uint32_t version4 = 0;
    uint32_t version4Again = 0;  // the same word as version4
    uint32_t version1 = 0;
    uint32_t version2 = 0;
    uint32_t dateWords[2] = {};  // raw header words, passed to the unit at the start of each image
    uint32_t timeWords[2] = {};
};
