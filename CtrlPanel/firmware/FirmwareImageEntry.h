#pragma once
// One flash image inside a firmware file, as the header's image table gives it.

#include <cstdint>

struct FirmwareImageEntry {
    uint32_t fileOffset = 0;
    uint32_t length = 0;
    uint32_t checksum = 0;
    uint32_t flashAddress = 0;

    // An image with offset or length 0 is absent.
    bool IsPresent() const { return fileOffset != 0 && length != 0; }
};
