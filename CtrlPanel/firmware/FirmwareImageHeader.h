#pragma once
// The header at the start of a firmware file (all words u32 little-endian):
//
//   0x00 magic 0x446F4362 ("bCoD")      0x18..0x24 version words 1 to 4
//   0x08 date, 8 ASCII characters       0x30, 0x40, 0x50 image table: main image, second image,
//   0x10 time, 8 ASCII characters            CnE (settings) image, each {file offset, flash
//                                            address, length, checksum}; CnE's flash address is
//   0x60 description, 43 bytes               always 0x201A0000
//
// Date and time are stored as two 4-byte groups, each byte-reversed.

#include "CtrlPanel/firmware/FirmwareImageEntry.h"
#include "CtrlPanel/firmware/FirmwareImageInfo.h"

#include <array>
#include <cstdint>

constexpr int kFirmwareImages = 3;
constexpr int kImageMain = 0;
constexpr int kImageSecond = 1;
constexpr int kImageCnE = 2;
using FirmwareImageTable = std::array<FirmwareImageEntry, kFirmwareImages>;

class FirmwareImageHeader {
public:
    static constexpr uint32_t kMagic = 0x446F4362;
    static constexpr uint32_t kDescriptionOffset = 0x60;
    static constexpr uint32_t kDescriptionLength = 43;
    static constexpr uint32_t kSize = kDescriptionOffset + kDescriptionLength;
    static constexpr uint32_t kCnEFlashAddress = 0x201A0000;
    // The result for a file that is not a usable image.
    static constexpr int kBadImage = 6;

    // 0, or kBadImage when the magic does not match, the file is shorter than the header, or a
    // present image lies (partly) outside the file. On failure the outputs are left as they were.
    static int Parse(const uint8_t* file, uint32_t length, FirmwareImageInfo* info, FirmwareImageTable* table);
};
