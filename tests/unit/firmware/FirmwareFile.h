#pragma once
// Firmware files built for the simulated unit: a header, then the images with their checksums.

#include "CtrlPanel/firmware/FirmwareImageHeader.h"
#include "platform/ByteOrder.h"
#include "platform/sim/SimFlashProtocol.h"

#include <cstdint>
#include <cstring>
#include <vector>

// One image of a firmware file to build.
struct ImagePlan {
    int slot;               // kImageMain, kImageSecond or kImageCnE
    uint32_t length;
    uint32_t flashAddress;  // ignored for CnE
    bool wrongChecksum = false;
};

// A firmware file: header, then the images in the order given, each at the next 0x100 boundary.
struct FirmwareFile {
    std::vector<uint8_t> bytes;
    FirmwareImageTable table;

    std::vector<uint8_t> Payload(int slot) const
    {
        const FirmwareImageEntry& e = table[slot];
        return {bytes.begin() + e.fileOffset, bytes.begin() + e.fileOffset + e.length};
    }

    static FirmwareFile Build(const std::vector<ImagePlan>& images)
    {
        FirmwareFile f;
        f.bytes.assign(0x100, 0);
        uint8_t* h = f.bytes.data();
        PutLE32(h, FirmwareImageHeader::kMagic);
        memcpy(h + 8, "22016002", 8);   // 10/22/2006
        memcpy(h + 16, "xy705431", 8);  // 13:45:07
        for (int w = 0; w < 4; ++w)
            PutLE32(h + 0x18 + 4 * w, 0x01010000u + uint32_t(w));
        memcpy(h + 0x60, "Velbrin firmware for the simulated unit....", 43);
        for (const ImagePlan& plan : images) {
            const uint32_t offset = uint32_t(f.bytes.size());
            std::vector<uint8_t> payload(plan.length);
            for (uint32_t i = 0; i < plan.length; ++i)
                payload[i] = uint8_t(i * 7 + plan.slot * 61 + (i >> 8) * 13);
            uint32_t checksum = SimFlashProtocol::Checksum(payload.data(), payload.size());
            if (plan.wrongChecksum)
                checksum ^= 1;
            f.bytes.insert(f.bytes.end(), payload.begin(), payload.end());
            f.bytes.resize((f.bytes.size() + 0xFF) & ~size_t(0xFF), 0);
            h = f.bytes.data();
            uint8_t* row = h + 0x30 + 0x10 * plan.slot;
            PutLE32(row, offset);
            PutLE32(row + 4, plan.flashAddress);
            PutLE32(row + 8, plan.length);
            PutLE32(row + 12, checksum);
            FirmwareImageEntry& e = f.table[plan.slot];
            e = {offset, plan.length, checksum,
                 plan.slot == kImageCnE ? FirmwareImageHeader::kCnEFlashAddress : plan.flashAddress};
        }
        return f;
    }
};
