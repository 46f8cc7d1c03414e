#include "platform/sim/SimVelbrin.h"

#include "platform/ByteOrder.h"
#include "platform/Clock.h"
#include "platform/FireWireBus.h"
#include "platform/sim/SimFireWireBus.h"

#include <chrono>
#include <cstring>

namespace {

uint32_t ByteSwap(uint32_t v) { return __builtin_bswap32(v); }

bool ItemAddress(uint64_t address, uint32_t* item)
{
    if (address < kSimItemBase || address >= kSimItemBase + 0x100000000ull || (address & 3))
        return false;
    *item = uint32_t((address - kSimItemBase) / 4);
    return true;
}

bool InfoAddress(uint64_t address, int* word)
{
    if (address < kSimInfoBlockAddress || (address & 3))
        return false;
    uint64_t w = (address - kSimInfoBlockAddress) / 4;
    if (w >= uint64_t(kSimInfoWords))
        return false;
    *word = int(w);
    return true;
}

}  // namespace

SimVelbrin::SimVelbrin(uint64_t guid) : m_guid(guid)
{
    SetFirmwareVersion(1, 2, 5600);
    SetDateCode(2006, 3, 15);
    SetDspVersion(4600, 1, 7);
    TurnLevelKnob(1.0f);
}

SimVelbrin::~SimVelbrin()
{
    SimFireWireBus* bus;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        bus = m_bus;
        m_stateHook = nullptr;
    }
    if (bus)
        bus->Forget(this);
    AbortHangs();
}

uint32_t SimVelbrin::GetItem(uint32_t item) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_items.find(item);
    return it == m_items.end() ? 0 : it->second;
}

void SimVelbrin::SetItem(uint32_t item, uint32_t value)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[item] = value;
}

uint32_t SimVelbrin::InfoWord(int word) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return (word >= 0 && word < kSimInfoWords) ? m_info[word] : 0;
}

void SimVelbrin::SetInfoWord(int word, uint32_t value)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (word >= 0 && word < kSimInfoWords)
        m_info[word] = value;
}

void SimVelbrin::SetFirmwareVersion(uint32_t major, uint32_t minor, uint32_t build)
{
    SetInfoWord(13, (major & 0xFF) << 24 | (minor & 0xFF) << 16 | (build & 0xFFFF));
}

void SimVelbrin::FailNext(SimXfer kind, int count, int code)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_script[int(kind)].failCount = count;
    m_script[int(kind)].failCode = code;
}

void SimVelbrin::RefuseQuadletRead(bool refuse)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuseQRead = refuse;
}

void SimVelbrin::RefuseQuadletWrite(bool refuse)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuseQWrite = refuse;
}

void SimVelbrin::RefuseBlockProbe(bool refuse)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuseProbe = refuse;
}

void SimVelbrin::SetDelayMs(SimXfer kind, uint32_t ms)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_script[int(kind)].delayMs = ms;
}

void SimVelbrin::SetHang(SimXfer kind, bool hang)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_script[int(kind)].hang = hang;
}

void SimVelbrin::ReleaseHang()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (auto& s : m_script)
            s.hang = false;
        ++m_hangGeneration;
    }
    m_hangCv.notify_all();
}

void SimVelbrin::AbortHangs() { ReleaseHang(); }

void SimVelbrin::SetAvcAnswer(SimAvcAnswer mode, uint32_t argument)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_avcMode = mode;
    m_avcArgument = argument;
}

void SimVelbrin::SetLogCapacity(size_t capacity)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_logCapacity = capacity;
    while (m_log.size() > m_logCapacity)
        m_log.pop_front();
}

std::vector<SimTransaction> SimVelbrin::Log() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return std::vector<SimTransaction>(m_log.begin(), m_log.end());
}

size_t SimVelbrin::Count(SimXfer kind) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    size_t n = 0;
    for (const auto& t : m_log)
        n += t.kind == kind;
    return n;
}

void SimVelbrin::ClearLog()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_log.clear();
}

void SimVelbrin::Record(SimTransaction t)
{
    t.thread = std::this_thread::get_id();
    t.timeMs = GetClock().NowMs();
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_logCapacity > 0) {
            if (m_log.size() >= m_logCapacity)
                m_log.pop_front();
            m_log.push_back(std::move(t));
        }
    }
}

int SimVelbrin::Enter(SimXfer kind)
{
    std::unique_lock<std::mutex> lock(m_lock);
    // Storing to flash keeps the unit from answering until it is done.
    const uint64_t now = GetClock().NowMs();
    if (now < m_flashBusyUntilMs) {
        const uint32_t wait = uint32_t(m_flashBusyUntilMs - now);
        lock.unlock();
        GetClock().SleepMs(wait);
        lock.lock();
    }
    Script& s = m_script[int(kind)];
    if (s.delayMs) {
        uint32_t ms = s.delayMs;
        ++m_waiting;
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        lock.lock();
        --m_waiting;
    }
    if (s.hang) {
        uint64_t generation = m_hangGeneration;
        ++m_hung;
        ++m_waiting;
        m_hangCv.wait_for(lock, std::chrono::seconds(60), [&] { return m_hangGeneration != generation; });
        --m_waiting;
        --m_hung;
        return kFwTimeout;
    }
    if (s.failCount > 0) {
        --s.failCount;
        return s.failCode;
    }
    return 0;
}

int SimVelbrin::ReadQuadlet(uint64_t address, uint32_t* value)
{
    SimTransaction t;
    t.kind = SimXfer::ReadQuadlet;
    t.address = address;
    t.length = 4;
    int status = Enter(SimXfer::ReadQuadlet);
    if (status == 0) {
        std::lock_guard<std::mutex> lock(m_lock);
        uint32_t item;
        int word;
        if (InfoAddress(address, &word)) {
            *value = ByteSwap(m_info[word]);
        } else if (ItemAddress(address, &item)) {
            if (m_refuseQRead) {
                status = kFwUnsupported;
            } else {
                *value = ReadItemLocked(item);
                t.pairs.push_back({item, *value});
            }
        } else {
            status = kFwError;
        }
    }
    t.status = status;
    Record(std::move(t));
    AfterTransfer();
    return status;
}

int SimVelbrin::WriteQuadlet(uint64_t address, uint32_t value)
{
    SimTransaction t;
    t.kind = SimXfer::WriteQuadlet;
    t.address = address;
    t.length = 4;
    int status = Enter(SimXfer::WriteQuadlet);
    if (status == 0) {
        std::lock_guard<std::mutex> lock(m_lock);
        uint32_t item;
        if (!ItemAddress(address, &item)) {
            status = kFwError;
        } else if (m_refuseQWrite) {
            status = kFwUnsupported;
        } else {
            WriteItemLocked(item, value);
            t.pairs.push_back({item, value});
        }
    }
    t.status = status;
    Record(std::move(t));
    AfterTransfer();
    return status;
}

int SimVelbrin::WriteBlock(uint64_t address, const uint8_t* data, uint32_t length)
{
    SimTransaction t;
    t.kind = SimXfer::WriteBlock;
    t.address = address;
    t.length = length;
    int status = Enter(SimXfer::WriteBlock);
    if (status == 0) {
        std::lock_guard<std::mutex> lock(m_lock);
        uint32_t item;
        if (address == kSimBlockWriteAddress && length % 8 == 0 && length > 0) {
            for (uint32_t off = 0; off < length; off += 8) {
                SimPair p{GetBE32(data + off), GetBE32(data + off + 4)};
                WriteItemLocked(p.item, p.value);
                t.pairs.push_back(p);
            }
        } else if (length == 4 && ItemAddress(address, &item)) {
            if (m_refuseProbe) {
                status = kFwUnsupported;
            } else {
                SimPair p{item, GetBE32(data)};
                WriteItemLocked(p.item, p.value);
                t.pairs.push_back(p);
            }
        } else {
            status = kFwError;
        }
    }
    t.status = status;
    Record(std::move(t));
    AfterTransfer();
    return status;
}

int SimVelbrin::ExecuteAVC(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength)
{
    SimTransaction t;
    t.kind = SimXfer::AVC;
    t.length = length;
    t.ctype = length > 0 ? command[0] : 0xFF;
    int status = Enter(SimXfer::AVC);
    if (status == 0) {
        std::lock_guard<std::mutex> lock(m_lock);
        std::vector<uint8_t> answer(command, command + length);
        const uint32_t n = length >= 8 ? command[7] : 0;
        const bool wellFormed = length >= 8 && command[1] == 0xFF && command[2] == 0x00 && command[3] == 0x00 &&
                                command[4] == 0x5D && command[5] == 0x3B && command[6] == 0x03 &&
                                length == 8 + 8 * n && (command[0] == kAvcStatus || command[0] == kAvcControl);
        const uint8_t refusal = !wellFormed || m_avcMode == SimAvcAnswer::Rejected ? kAvcRejected
                                : m_avcMode == SimAvcAnswer::NotImplemented   ? kAvcNotImplemented
                                : m_avcMode == SimAvcAnswer::Interim          ? kAvcInterim
                                                                               : 0;
        if (refusal) {
            if (!answer.empty())
                answer[0] = refusal;
        } else {
            for (uint32_t i = 0; i < n; ++i) {
                uint8_t* p = answer.data() + 8 + 8 * i;
                SimPair pair{GetBE32(p), GetBE32(p + 4)};
                if (command[0] == kAvcControl) {
                    WriteItemLocked(pair.item, pair.value);
                } else {
                    pair.value = ReadItemLocked(pair.item);
                    uint32_t answeredItem = pair.item;
                    if (m_avcMode == SimAvcAnswer::RewriteItems)
                        answeredItem += m_avcArgument;
                    PutBE32(p, answeredItem);
                    PutBE32(p + 4, pair.value);
                }
                t.pairs.push_back(pair);
            }
            answer[0] = command[0] == kAvcControl ? kAvcAccepted : kAvcStable;
            if (m_avcMode == SimAvcAnswer::Short)
                answer.resize(8);
            if (m_avcMode == SimAvcAnswer::MismatchedEcho && m_avcArgument >= 1 && m_avcArgument < 8)
                answer[m_avcArgument] ^= 0x01;
        }
        uint32_t capacity = *responseLength;
        uint32_t copy = std::min<uint32_t>(capacity, uint32_t(answer.size()));
        if (response && copy)
            memcpy(response, answer.data(), copy);
        *responseLength = copy;
    }
    t.status = status;
    Record(std::move(t));
    AfterTransfer();
    return status;
}
