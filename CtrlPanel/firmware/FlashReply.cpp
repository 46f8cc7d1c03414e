#include "CtrlPanel/firmware/FlashReply.h"

#include "CtrlPanel/firmware/FlashFrameBuilder.h"
#include "platform/ByteOrder.h"

#include <cstring>

void FlashReply::Clear() { memset(m_bytes, 0, sizeof m_bytes); }

bool FlashReply::IsValid() const { return GetLE32(m_bytes) == 1; }

bool FlashReply::Acknowledges(uint8_t command) const
{
    int status;
    switch (command) {
    case kFlashReset: status = 0; break;
    case kFlashHalt: status = 0; break;
    case kFlashStart: status = 1; break;
    case kFlashEnd: status = 2; break;
    default: return false;
    }
    return IsValid() && m_bytes[6] == command && m_bytes[7] == status;
}

bool FlashReply::Echoes(uint32_t blockCounter) const
{
    // The answer to the start frame also holds zeros at 8-11: only a block's answer counts.
    return IsValid() && m_bytes[6] == kFlashBlock && GetLE32(m_bytes + 8) == blockCounter;
}

uint32_t FlashReply::ChecksumResult() const { return GetLE32(m_bytes + 12); }
