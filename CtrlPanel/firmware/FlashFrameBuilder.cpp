#include "CtrlPanel/firmware/FlashFrameBuilder.h"

#include "platform/ByteOrder.h"

void FlashFrameBuilder::Begin(uint32_t deviceId)
{
    m_deviceId = deviceId;
    m_sequence = 1;
}

std::vector<uint8_t> FlashFrameBuilder::Frame(uint8_t command, uint8_t sub, uint32_t length)
{
    std::vector<uint8_t> frame(length, 0);
    PutLE32(frame.data(), m_deviceId);
    PutLE16(frame.data() + 4, m_sequence);
    frame[6] = command;
    frame[7] = sub;
    ++m_sequence;
    if (m_sequence == 0 && command == kFlashBlock)
        m_sequence = 1;
    return frame;
}

std::vector<uint8_t> FlashFrameBuilder::Halt() { return Frame(kFlashHalt, 0, 8); }

std::vector<uint8_t> FlashFrameBuilder::Reset()
{
    std::vector<uint8_t> frame = Frame(kFlashReset, 1, 12);
    frame[8] = 1;
    return frame;
}

std::vector<uint8_t> FlashFrameBuilder::Start(const FirmwareImageInfo& info, const FirmwareImageEntry& image, bool cne)
{
    std::vector<uint8_t> frame = Frame(kFlashStart, 10, 48);
    uint8_t* f = frame.data();
    f[8] = cne ? 1 : 0;
    PutLE32(f + 12, info.dateWords[0]);
    PutLE32(f + 16, info.dateWords[1]);
    PutLE32(f + 20, info.timeWords[0]);
    PutLE32(f + 24, info.timeWords[1]);
    PutLE32(f + 28, info.version1);
    PutLE32(f + 32, info.version2);
    PutLE32(f + 36, image.flashAddress);
    PutLE32(f + 40, image.length);
    PutLE32(f + 44, image.checksum);
    return frame;
}

std::vector<uint8_t> FlashFrameBuilder::Block(uint32_t counter, uint32_t flashAddress, uint32_t length)
{
    std::vector<uint8_t> frame = Frame(kFlashBlock, 3, 20);
    PutLE32(frame.data() + 8, counter);
    PutLE32(frame.data() + 12, flashAddress);
    PutLE32(frame.data() + 16, length);
    return frame;
}

std::vector<uint8_t> FlashFrameBuilder::End() { return Frame(kFlashEnd, 0, 8); }

std::vector<uint8_t> FlashFrameBuilder::Final() { return Frame(kFlashFinal, 1, 12); }
