#pragma once
// The command frames of the flash-update protocol and their sequence numbers.
//
// Frame: {device id u32, sequence u16, command u8, sub-command u8, arguments}, little-endian.
// Each frame takes the current sequence number, which then increases: after 65535 it goes on with
// 1 following a write-block frame and with 0 following any other.

#include "CtrlPanel/firmware/FirmwareImageEntry.h"
#include "CtrlPanel/firmware/FirmwareImageInfo.h"

#include <cstdint>
#include <vector>

constexpr uint8_t kFlashHalt = 1;
constexpr uint8_t kFlashReset = 2;
constexpr uint8_t kFlashStart = 4;
constexpr uint8_t kFlashBlock = 5;
constexpr uint8_t kFlashEnd = 6;
constexpr uint8_t kFlashFinal = 17;

class FlashFrameBuilder {
public:
    // The device the frames are for; the sequence starts again at 1.
    void Begin(uint32_t deviceId);
    void SetSequence(uint16_t sequence) { m_sequence = sequence; }
    uint16_t Sequence() const { return m_sequence; }

    std::vector<uint8_t> Halt();
    std::vector<uint8_t> Reset();
    // 48 bytes: the CnE flag, the raw date and time words, version words 1 and 2, then the image's
    // flash address, length and checksum.
    std::vector<uint8_t> Start(const FirmwareImageInfo& info, const FirmwareImageEntry& image, bool cne);
    std::vector<uint8_t> Block(uint32_t counter, uint32_t flashAddress, uint32_t length);
    std::vector<uint8_t> End();
    std::vector<uint8_t> Final();

private:
    std::vector<uint8_t> Frame(uint8_t command, uint8_t sub, uint32_t length);

    uint32_t m_deviceId = 0;
    uint16_t m_sequence = 0;
};
