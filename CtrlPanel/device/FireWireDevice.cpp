#include "CtrlPanel/device/FireWireDevice.h"

#include "CtrlPanel/device/FireWireSession.h"
#include "platform/ByteOrder.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kCtypeControl = 0x00;
constexpr uint8_t kCtypeStatus = 0x01;
constexpr uint8_t kResponseAccepted = 0x09;
constexpr uint8_t kResponseStable = 0x0C;
constexpr uint8_t kSubunitUnit = 0xFF;
constexpr uint8_t kOpcodeVendorDependent = 0x00;
constexpr uint8_t kCompanyId[3] = {0x00, 0x5D, 0x3B};
constexpr uint8_t kSubCommandItemAccess = 0x03;

uint64_t ItemAddress(uint32_t item) { return kItemQuadletBase + 4ull * item; }

std::vector<uint8_t> BuildFrame(uint8_t ctype, const ItemValue* pairs, uint32_t n)
{
    std::vector<uint8_t> frame(8 + 8 * size_t(n));
    frame[0] = ctype;
    frame[1] = kSubunitUnit;
    frame[2] = kOpcodeVendorDependent;
    memcpy(&frame[3], kCompanyId, 3);
    frame[6] = kSubCommandItemAccess;
    frame[7] = uint8_t(n);
    for (uint32_t i = 0; i < n; ++i) {
        PutBE32(&frame[8 + 8 * i], pairs[i].item);
        PutBE32(&frame[12 + 8 * i], pairs[i].value);
        DebugLogItem(pairs[i].item, pairs[i].value);
    }
    return frame;
}

// True when the answer echoes the command's header (subunit, opcode, company, sub-command, count),
// carries every pair and has the response code that carries the command out.
bool AnswerMatches(const std::vector<uint8_t>& command, const uint8_t* response, uint32_t answered, uint8_t code)
{
    return answered >= command.size() && response[0] == code && memcmp(&response[1], &command[1], 7) == 0;
}

// The bus lock for one call. A lock that cannot be taken fails the call before it reaches the bus.
class BusLock {
public:
    explicit BusLock(wxMutex& mutex) : m_mutex(mutex), m_locked(mutex.Lock() == wxMUTEX_NO_ERROR) {}
    ~BusLock()
    {
        if (m_locked)
            m_mutex.Unlock();
    }
    bool Locked() const { return m_locked; }

private:
    wxMutex& m_mutex;
    bool m_locked;
};

}  // namespace

FireWireDevice::FireWireDevice() : m_token(new uint8_t(0))
{
    FireWireSession::StartDeviceMatching();
}

FireWireDevice::~FireWireDevice()
{
    Close();
    FireWireSession::StopDeviceMatching();
    FireWireSession::ReleaseResponseBuffer();
    delete m_token;
}

int FireWireDevice::Open()
{
    BusLock lock(m_mutex);
    if (!lock.Locked())
        return -1;
    return OpenLocked();
}

int FireWireDevice::OpenLocked()
{
    FireWireSession::SetCapabilities({});
    int status = FireWireSession::Open();
    if (status != 0)
        return status;

    for (int w = 0; w < kInfoBlockWords; ++w) {
        status = FireWireSession::ReadQuadlet(m_token, kInfoBlockAddress + 4ull * w, &m_info[w]);
        if (status != 0) {
            FireWireSession::Close();
            return status;
        }
    }
    m_open = true;
    if (m_info[13] == 0) {
        FireWireSession::Close();
        m_open = false;
        return -1;
    }

    // Capability probes on item 0: read it, write the same word back. A failed read must never
    // write anything into item 0, which is a live mixer gain.
    FireWireSession::Capabilities caps;
    uint32_t word = 0;
    caps.quadletRead = FireWireSession::ReadQuadlet(m_token, kItemQuadletBase, &word) == 0;
    if (caps.quadletRead)
        caps.quadletWrite = FireWireSession::WriteQuadlet(m_token, kItemQuadletBase, word) == 0;
    if (!caps.quadletRead || !caps.quadletWrite) {
        FireWireSession::Close();
        m_open = false;
        return -1;
    }
    caps.blockRead = false;
    uint32_t length = 4;
    caps.blockWrite =
        FireWireSession::WriteBlock(m_token, kItemQuadletBase, reinterpret_cast<const uint8_t*>(&word), &length) == 0;
    FireWireSession::SetCapabilities(caps);
    return 0;
}

int FireWireDevice::Close()
{
    Clock& clock = GetClock();
    const uint64_t until = clock.NowMs() + kCloseWaitMs;
    bool locked = m_mutex.TryLock() == wxMUTEX_NO_ERROR;
    while (!locked && clock.NowMs() < until) {
        clock.SleepMs(10);
        locked = m_mutex.TryLock() == wxMUTEX_NO_ERROR;
    }
    if (!locked)
        DebugLog("FireWireDevice::Close() : bus still busy after %u ms, closing the handle anyway\n", kCloseWaitMs);
    m_open = false;
    const int status = FireWireSession::Close();
    if (locked)
        m_mutex.Unlock();
    return status;
}

int FireWireDevice::ReadItems(ItemValue* pairs, uint32_t n)
{
    BusLock lock(m_mutex);
    if (!lock.Locked())
        return -1;
    DebugLog("<");
    if (FireWireSession::GetCapabilities().quadletRead && n < 6)
        return ReadQuadlets(pairs, n);
    return ReadAvc(pairs, n);
}

int FireWireDevice::ReadQuadlets(ItemValue* pairs, uint32_t n)
{
    DebugLog("Q:\n");
    if (n == 0)
        return -1;
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t word = 0;
        int status = FireWireSession::ReadQuadlet(m_token, ItemAddress(pairs[i].item), &word);
        if (status != 0) {
            DebugLog("<Q Fail (%x).\n", unsigned(status));
            return status;
        }
        pairs[i].value = __builtin_bswap32(word);
        DebugLogItem(pairs[i].item, pairs[i].value);
    }
    DebugLog("<Q ok!\n");
    return 0;
}

int FireWireDevice::ReadAvc(ItemValue* pairs, uint32_t n)
{
    DebugLog("A:\n");
    // The answers are gathered apart and taken only when every frame succeeded.
    std::vector<ItemValue> answers(n);
    uint32_t done = 0;
    do {
        const uint32_t count = std::min(n - done, kMaxAvcPairs);
        int status = ReadAvcFrame(pairs + done, count, answers.data() + done);
        if (status != 0) {
            DebugLog("<A Fail. (%x)\n", unsigned(status));
            for (uint32_t i = 0; i < n; ++i)
                DebugLogItem(pairs[i].item, pairs[i].value);
            return status;
        }
        done += count;
    } while (done < n);
    for (uint32_t i = 0; i < n; ++i) {
        pairs[i] = answers[i];
        DebugLogItem(pairs[i].item, pairs[i].value);
    }
    DebugLog("<A ok!\n");
    return 0;
}

int FireWireDevice::ReadAvcFrame(const ItemValue* pairs, uint32_t n, ItemValue* answered)
{
    std::vector<uint8_t> command = BuildFrame(kCtypeStatus, pairs, n);
    std::vector<uint8_t> response(command.size(), 0);
    uint32_t length = 0;
    int status = FireWireSession::ExecuteAVC(m_token, command.data(), uint32_t(command.size()), response.data(),
                                             &length);
    if (status != 0)
        return status;
    if (!AnswerMatches(command, response.data(), length, kResponseStable) &&
        !AnswerMatches(command, response.data(), length, kResponseAccepted))
        return kBadAvcAnswer;
    for (uint32_t i = 0; i < n; ++i)
        answered[i] = {GetBE32(&response[8 + 8 * i]), GetBE32(&response[12 + 8 * i])};
    return 0;
}

int FireWireDevice::WriteItems(const ItemValue* pairs, uint32_t n)
{
    BusLock lock(m_mutex);
    if (!lock.Locked())
        return -1;
    DebugLog(">");
    const FireWireSession::Capabilities caps = FireWireSession::GetCapabilities();
    if (caps.blockWrite) {
        DebugLog("B:\n");
        if (n == 0)
            return 0;
        std::vector<uint8_t> block(8 * size_t(n));
        for (uint32_t i = 0; i < n; ++i) {
            PutBE32(&block[8 * i], pairs[i].item);
            PutBE32(&block[8 * i + 4], pairs[i].value);
            DebugLogItem(pairs[i].item, pairs[i].value);
        }
        uint32_t length = uint32_t(block.size());
        int status = FireWireSession::WriteBlock(m_token, kItemBlockWriteAddress, block.data(), &length);
        if (status == 0)
            DebugLog(">B ok!\n");
        else
            DebugLog(">B Fail (%x)\n", unsigned(status));
        return status;
    }
    if (caps.quadletWrite && n < 6) {
        DebugLog("Q:\n");
        for (uint32_t i = 0; i < n; ++i) {
            DebugLogItem(pairs[i].item, pairs[i].value);
            int status = FireWireSession::WriteQuadlet(m_token, ItemAddress(pairs[i].item),
                                                       __builtin_bswap32(pairs[i].value));
            if (status != 0)
                return status;
        }
        return 0;
    }
    return WriteAvc(pairs, n);
}

int FireWireDevice::WriteAvc(const ItemValue* pairs, uint32_t n)
{
    DebugLog("A:\n");
    // Longer writes go as several frames; each answer must fit the shared response buffer.
    uint32_t done = 0;
    do {
        const uint32_t count = std::min(n - done, kMaxAvcPairs);
        std::vector<uint8_t> command = BuildFrame(kCtypeControl, pairs + done, count);
        std::vector<uint8_t> response(command.size(), 0);
        uint32_t length = 0;
        int status = FireWireSession::ExecuteAVC(m_token, command.data(), uint32_t(command.size()), response.data(),
                                                 &length);
        if (status == 0 && !AnswerMatches(command, response.data(), length, kResponseAccepted))
            status = kBadAvcAnswer;
        if (status != 0) {
            DebugLog(">A Fail (%x).\n", unsigned(status));
            return status;
        }
        done += count;
    } while (done < n);
    DebugLog(">A ok!\n");
    return 0;
}
