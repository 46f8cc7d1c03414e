// A firmware file from outside, parsed as the updater does before it asks for any rights.
// Holds: the answer is 0 or the bad-image result; a refused file leaves the outputs as they were; an
// accepted one has every present image inside the file, the CnE image at its fixed flash address,
// the table and the version and raw date and time words as the header gives them, and date, time
// and description texts of their fixed form, terminated. Every block the updater would send of a
// present image is read from inside the file (AddressSanitizer sees the bytes read).

#include "CtrlPanel/firmware/FirmwareImageHeader.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool holds)
{
    if (!holds)
        abort();
}

constexpr uint32_t kBlock = 1024;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    FirmwareImageInfo info;
    FirmwareImageTable table;
    memset(&info, 0xA5, sizeof info);
    memset(&table, 0x5A, sizeof table);
    FirmwareImageInfo infoBefore;
    FirmwareImageTable tableBefore;
    memcpy(&infoBefore, &info, sizeof info);
    memcpy(&tableBefore, &table, sizeof table);

    const int result = FirmwareImageHeader::Parse(data, uint32_t(size), &info, &table);
    Check(result == 0 || result == FirmwareImageHeader::kBadImage);
    if (result != 0) {
        Check(memcmp(&info, &infoBefore, sizeof info) == 0);
        Check(memcmp(&table, &tableBefore, sizeof table) == 0);
        return 0;
    }

    Check(size >= FirmwareImageHeader::kSize && GetLE32(data) == FirmwareImageHeader::kMagic);
    for (int k = 0; k < kFirmwareImages; ++k) {
        const uint8_t* row = data + 0x30 + 0x10 * k;
        const FirmwareImageEntry& e = table[k];
        Check(e.fileOffset == GetLE32(row) && e.length == GetLE32(row + 8) && e.checksum == GetLE32(row + 12));
        Check(e.flashAddress == (k == kImageCnE ? FirmwareImageHeader::kCnEFlashAddress : GetLE32(row + 4)));
        if (!e.IsPresent())
            continue;
        Check(uint64_t(e.fileOffset) + e.length <= size);
        volatile uint8_t seen = 0;
        for (uint32_t sent = 0; sent < e.length; sent += kBlock) {
            const uint32_t n = std::min(kBlock, e.length - sent);
            seen = seen ^ data[e.fileOffset + sent] ^ data[e.fileOffset + sent + n - 1];
        }
    }
    Check(info.version1 == GetLE32(data + 0x18) && info.version2 == GetLE32(data + 0x1C));
    Check(info.version3 == GetLE32(data + 0x20) && info.version4 == GetLE32(data + 0x24));
    Check(info.version4Again == info.version4);
    Check(info.dateWords[0] == GetLE32(data + 0x08) && info.dateWords[1] == GetLE32(data + 0x0C));
    Check(info.timeWords[0] == GetLE32(data + 0x10) && info.timeWords[1] == GetLE32(data + 0x14));
    Check(info.date[2] == '/' && info.date[5] == '/' && info.date[10] == 0);
    Check(info.time[2] == ':' && info.time[5] == ':' && info.time[8] == 0);
    Check(memcmp(info.description, data + FirmwareImageHeader::kDescriptionOffset,
                 FirmwareImageHeader::kDescriptionLength) == 0);
    Check(info.description[FirmwareImageHeader::kDescriptionLength] == 0);
    return 0;
}
