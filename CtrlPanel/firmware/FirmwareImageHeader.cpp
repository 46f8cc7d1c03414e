#include "CtrlPanel/firmware/FirmwareImageHeader.h"

#include "platform/ByteOrder.h"

#include <cstring>

int FirmwareImageHeader::Parse(const uint8_t* file, uint32_t length, FirmwareImageInfo* info,
                               FirmwareImageTable* table)
{
    if (!file || length < kSize || GetLE32(file) != kMagic)
        return kBadImage;

    FirmwareImageTable images;
    for (int k = 0; k < kFirmwareImages; ++k) {
        const uint8_t* row = file + 0x30 + 0x10 * k;
        FirmwareImageEntry& e = images[k];
        e.fileOffset = GetLE32(row);
        e.flashAddress = k == kImageCnE ? kCnEFlashAddress : GetLE32(row + 4);
        e.length = GetLE32(row + 8);
        e.checksum = GetLE32(row + 12);
        if (e.IsPresent() && uint64_t(e.fileOffset) + e.length > length)
            return kBadImage;
    }

    FirmwareImageInfo out;
    const uint8_t* b = file;
    const char date[] = {char(b[11]), char(b[10]), '/', char(b[9]), char(b[8]), '/',
                         char(b[15]), char(b[14]), char(b[13]), char(b[12]), 0};
    const char time[] = {char(b[23]), char(b[22]), ':', char(b[21]), char(b[20]), ':', char(b[19]), char(b[18]), 0};
    memcpy(out.date, date, sizeof date);
    memcpy(out.time, time, sizeof time);
    memcpy(out.description, file + kDescriptionOffset, kDescriptionLength);
    out.description[kDescriptionLength] = 0;
    out.version1 = GetLE32(file + 0x18);
    out.version2 = GetLE32(file + 0x1C);
    out.version3 = GetLE32(file + 0x20);
    out.version4 = GetLE32(file + 0x24);
    out.version4Again = out.version4;
    out.dateWords[0] = GetLE32(file + 0x08);
    out.dateWords[1] = GetLE32(file + 0x0C);
    out.timeWords[0] = GetLE32(file + 0x10);
    out.timeWords[1] = GetLE32(file + 0x14);

    *info = out;
    *table = images;
    return 0;
}
