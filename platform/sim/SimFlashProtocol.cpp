#include "platform/sim/SimFlashProtocol.h"

#include "platform/ByteOrder.h"
#include "platform/FireWireBus.h"
#include "platform/sim/SimVelbrin.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr size_t kLogLimit = 200000;

uint32_t CrcUpdate(uint32_t crc, const uint8_t* data, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

// Frame length and sub-command of each command; 0 = unknown command.
uint32_t FrameLength(uint8_t command, uint8_t* sub)
{
    switch (command) {
    case kSimFlashHalt: *sub = 0; return 8;
    case kSimFlashReset: *sub = 1; return 12;
    case kSimFlashStart: *sub = 10; return 48;
    case kSimFlashBlock: *sub = 3; return 20;
    case kSimFlashEnd: *sub = 0; return 8;
    case kSimFlashFinal: *sub = 1; return 12;
    default: return 0;
    }
}

}  // namespace

uint32_t SimFlashProtocol::Checksum(const uint8_t* data, size_t length)
{
    return ~CrcUpdate(0xFFFFFFFF, data, length);
}

void SimFlashProtocol::SetIdentity(const std::string& tag, uint32_t deviceId)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_tag = tag;
    m_deviceId = deviceId;
}

uint32_t SimFlashProtocol::DeviceId() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_deviceId;
}

void SimFlashProtocol::Script(uint8_t command, int nth, SimFlashFault fault, int reads)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_faults.push_back({command, nth, fault, reads});
}

SimFlashMemory SimFlashProtocol::Memory() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_flash;
}

std::vector<SimFlashTransfer> SimFlashProtocol::Log() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_log;
}

std::vector<std::vector<uint8_t>> SimFlashProtocol::Frames() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_frames;
}

void SimFlashProtocol::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_log.clear();
    m_frames.clear();
}

bool SimFlashProtocol::TakeLeaveRequest()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return std::exchange(m_leave, false);
}

void SimFlashProtocol::Record(SimFlashTransfer t)
{
    if (m_log.size() < kLogLimit)
        m_log.push_back(std::move(t));
}

int SimFlashProtocol::Read(uint64_t address, uint8_t* data, uint32_t* length, bool failOnReset,
                           uint32_t generation)
{
    uint8_t identity[kIdentitySize] = {};
    if (address == kIdentityAddress) {
        for (int w = 3; w < int(kIdentitySize / 4); ++w)
            PutLE32(identity + 4 * w, m_unit ? m_unit->InfoWord(w) : 0);
    }
    std::lock_guard<std::mutex> lock(m_lock);
    SimFlashTransfer t{false, address, {}, 0, failOnReset, generation};
    const uint8_t* source = nullptr;
    if (address == kIdentityAddress && *length <= kIdentitySize) {
        memcpy(identity, m_tag.data(), std::min<size_t>(m_tag.size(), 8));
        PutLE32(identity + 8, m_deviceId);
        source = identity;
    } else if (address == kReplyAddress && *length <= kReplySize) {
        if (m_pendingReads > 0 && --m_pendingReads == 0)
            memcpy(m_reply, m_pending, kReplySize);
        source = m_reply;
    }
    if (source) {
        memcpy(data, source, *length);
        t.data.assign(source, source + *length);
    } else {
        *length = 0;
        t.status = kFwError;
    }
    Record(t);
    return t.status;
}

int SimFlashProtocol::Write(uint64_t address, const uint8_t* data, uint32_t* length, bool failOnReset,
                            uint32_t generation)
{
    std::lock_guard<std::mutex> lock(m_lock);
    SimFlashTransfer t{true, address, std::vector<uint8_t>(data, data + *length), 0, failOnReset, generation};
    if (address == kCommandAddress && *length > 0 && *length <= kCommandSize) {
        m_frames.push_back(t.data);
        TakeFrameLocked(data, *length);
    } else if (address == kDataAddress && *length <= kDataSize) {
        memcpy(m_data, data, *length);
        m_dataLength = *length;
    } else {
        *length = 0;
        t.status = kFwError;
    }
    Record(std::move(t));
    return t.status;
}

void SimFlashProtocol::TakeFrameLocked(const uint8_t* frame, uint32_t length)
{
    if (length < 8)
        return;
    const uint8_t command = frame[6];
    uint8_t sub = 0;
    if (GetLE32(frame) != m_deviceId || FrameLength(command, &sub) != length || frame[7] != sub)
        return;
    const uint16_t sequence = uint16_t(frame[4] | frame[5] << 8);

    Fault fired{};
    bool hasFault = false;
    for (auto it = m_faults.begin(); it != m_faults.end();) {
        if (it->command == command && --it->countdown <= 0) {
            if (!hasFault) {
                fired = *it;
                hasFault = true;
            }
            it = m_faults.erase(it);
        } else {
            ++it;
        }
    }
    const Fault* fault = hasFault ? &fired : nullptr;

    switch (command) {
    case kSimFlashHalt:
        ReplyLocked(command, 0, 0, 0, sequence, fault);
        break;
    case kSimFlashReset:
        m_image = Image();
        ReplyLocked(command, 0, 0, 0, sequence, fault);
        break;
    case kSimFlashStart:
        m_image = Image();
        m_image.open = true;
        m_image.address = GetLE32(frame + 36);
        m_image.length = GetLE32(frame + 40);
        m_image.checksum = GetLE32(frame + 44);
        m_flash.Erase(m_image.address, m_image.length);
        ReplyLocked(command, 1, 0, 0, sequence, fault);
        break;
    case kSimFlashBlock: {
        const uint32_t counter = GetLE32(frame + 8);
        const uint32_t address = GetLE32(frame + 12);
        const uint32_t n = std::min(GetLE32(frame + 16), kDataSize);
        const uint64_t imageEnd = uint64_t(m_image.address) + m_image.length;
        if (!m_image.open || address < m_image.address || address + uint64_t(n) > imageEnd)
            m_image.strayBlock = true;
        m_flash.Program(address, m_data, n);
        m_image.crc = CrcUpdate(m_image.crc, m_data, n);
        m_image.received += n;
        const bool corrupt = fault && fault->fault == SimFlashFault::CorruptEcho;
        ReplyLocked(command, 3, corrupt ? ~counter : counter, 0, sequence, corrupt ? nullptr : fault);
        break;
    }
    case kSimFlashEnd: {
        const bool good = m_image.open && !m_image.strayBlock && m_image.received == m_image.length &&
                          ~m_image.crc == m_image.checksum;
        m_image.open = false;
        ReplyLocked(command, 2, 0, good ? 0 : 1, sequence, fault);
        break;
    }
    case kSimFlashFinal:
        m_image = Image();
        ReplyLocked(command, 0, 0, 0, sequence, fault);
        break;
    }
}

void SimFlashProtocol::ReplyLocked(uint8_t command, uint8_t status, uint32_t echo, uint32_t check,
                                   uint16_t sequence, const Fault* fault)
{
    uint8_t reply[kReplySize] = {1, 0, 0, 0};
    PutLE16(reply + 4, sequence);
    reply[6] = command;
    reply[7] = status;
    PutLE32(reply + 8, echo);
    PutLE32(reply + 12, check);
    m_pendingReads = 0;  // a new command supersedes a reply still on its way
    if (fault && fault->fault == SimFlashFault::LeaveBus) {
        m_leave = true;
    } else if (fault && fault->fault == SimFlashFault::LateReply && fault->reads > 1) {
        memcpy(m_pending, reply, kReplySize);
        m_pendingReads = fault->reads;
    } else if (!fault || fault->fault != SimFlashFault::DropReply) {
        memcpy(m_reply, reply, kReplySize);
    }
}
