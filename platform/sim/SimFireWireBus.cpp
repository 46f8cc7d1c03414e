#include "platform/sim/SimFireWireBus.h"

#include "platform/Clock.h"
#include "platform/MainThread.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <pthread.h>

namespace {

uint64_t ThreadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return uint64_t(t.tv_sec) * 1000000000u + uint64_t(t.tv_nsec);
}

// Adds the CPU time the calling thread spends in the scope to a total.
class CpuScope {
public:
    explicit CpuScope(std::atomic<uint64_t>& total) : m_total(total), m_start(ThreadCpuNs()) {}
    ~CpuScope() { m_total += ThreadCpuNs() - m_start; }
    CpuScope(const CpuScope&) = delete;
    CpuScope& operator=(const CpuScope&) = delete;

private:
    std::atomic<uint64_t>& m_total;
    uint64_t m_start;
};

}  // namespace

SimFireWireBus::~SimFireWireBus()
{
    {
        std::lock_guard<std::mutex> lock(m_tickerLock);
        m_tickerStop = true;
    }
    m_tickerCv.notify_all();
    if (m_ticker.joinable())
        m_ticker.join();
    // Units off the bus still refer to it (an unplugged unit, one coming back): all are let go.
    std::vector<SimVelbrin*> units;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        units.assign(m_known.begin(), m_known.end());
        m_units.clear();
        m_comingBack.clear();
        m_known.clear();
    }
    for (SimVelbrin* unit : units) {
        unit->AbortHangs();
        unit->AttachedTo(nullptr, false);
    }
}

void SimFireWireBus::StartTicker()
{
    std::lock_guard<std::mutex> lock(m_tickerLock);
    if (m_tickerStop)
        return;
    if (m_ticker.joinable()) {
        m_tickerWoken = true;
        m_tickerCv.notify_all();
        return;
    }
    m_ticker = std::thread([this] {
        pthread_setname_np(pthread_self(), "sim-bus");
        bool pending = true;
        std::unique_lock<std::mutex> lock(m_tickerLock);
        while (!m_tickerStop) {
            if (pending || m_tickerWoken)
                m_tickerCv.wait_for(lock, std::chrono::milliseconds(5));
            else
                m_tickerCv.wait(lock, [this] { return m_tickerStop || m_tickerWoken; });
            m_tickerWoken = false;
            if (m_tickerStop)
                break;
            lock.unlock();
            Tick();
            pending = HasPendingChanges();
            lock.lock();
        }
    });
}

bool SimFireWireBus::HasPendingChanges() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return !m_comingBack.empty() ||
           std::any_of(m_units.begin(), m_units.end(), [](const Attachment& a) { return a.unit->AwaitsChange(); });
}

void SimFireWireBus::Reenumerate(SimVelbrin* unit, uint32_t afterMs)
{
    Leave(unit, true, afterMs);
    StartTicker();
}

void SimFireWireBus::Forget(SimVelbrin* unit)
{
    std::vector<std::function<void()>> notify;
    std::lock_guard<std::mutex> lock(m_lock);
    UnplugLocked(unit, &notify);
    m_comingBack.erase(unit);
    m_known.erase(unit);
}

void SimFireWireBus::Tick()
{
    std::vector<SimVelbrin*> due;
    {
        // Units are advanced under the bus lock, so none can be forgotten (destroyed) meanwhile.
        std::lock_guard<std::mutex> lock(m_lock);
        const uint64_t now = GetClock().NowMs();
        for (const auto& [unit, dueMs] : m_comingBack)
            if (now >= dueMs)
                due.push_back(unit);
        for (auto& a : m_units)
            a.unit->Advance();
    }
    // A unit stays on its way back until it is on the bus again (it counts as connected throughout);
    // of two ticks that find it due, one plugs it.
    for (SimVelbrin* unit : due)
        Attach(unit, true);
}

SimFireWireBus& SimFireWireBus::Default()
{
    static SimFireWireBus bus;
    return bus;
}

uint32_t SimFireWireBus::Plug(SimVelbrin* unit)
{
    return Attach(unit, false);
}

uint32_t SimFireWireBus::Attach(SimVelbrin* unit, bool onlyComingBack)
{
    std::vector<std::function<void()>> notify;
    uint32_t nodeId;
    std::function<void()> onArrival;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (onlyComingBack && m_comingBack.erase(unit) == 0)
            return 0;
        UnplugLocked(unit, &notify);
        m_comingBack.erase(unit);
        // Node ids cycle through the low range of a bus's addresses, skipping 0.
        nodeId = m_nextNodeId++;
        if (m_nextNodeId > 0xFFFE)
            m_nextNodeId = 0xFFC0;
        if (m_reuseNodeIds) {
            nodeId = 0xFFC0;
            while (std::any_of(m_units.begin(), m_units.end(), [&](const Attachment& a) { return a.nodeId == nodeId; }))
                ++nodeId;
        }
        m_units.push_back({unit, nodeId, m_nextServiceId++});
        m_known.insert(unit);
        onArrival = m_onArrival;
    }
    unit->AttachedTo(this, true);
    for (auto& fn : notify)
        PostToMainThread(std::move(fn));
    if (onArrival)
        PostToMainThread(onArrival);
    StartTicker();
    return nodeId;
}

void SimFireWireBus::SetReuseNodeIds(bool reuse)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_reuseNodeIds = reuse;
}

void SimFireWireBus::Unplug(SimVelbrin* unit)
{
    Leave(unit, false, 0);
}

void SimFireWireBus::Leave(SimVelbrin* unit, bool comingBack, uint32_t afterMs)
{
    std::vector<std::function<void()>> notify;
    bool was;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        was = UnplugLocked(unit, &notify);
        if (comingBack)
            m_comingBack[unit] = GetClock().NowMs() + afterMs;
        else
            m_comingBack.erase(unit);
    }
    if (was)
        unit->AttachedTo(this, false);
    for (auto& fn : notify)
        PostToMainThread(std::move(fn));
}

bool SimFireWireBus::UnplugLocked(SimVelbrin* unit, std::vector<std::function<void()>>* notify)
{
    for (auto it = m_units.begin(); it != m_units.end(); ++it) {
        if (it->unit != unit)
            continue;
        uint64_t serviceId = it->serviceId;
        m_units.erase(it);
        for (auto w = m_watches.begin(); w != m_watches.end();) {
            if (w->second.serviceId == serviceId) {
                notify->push_back(std::move(w->second.onGone));
                w = m_watches.erase(w);
            } else {
                ++w;
            }
        }
        unit->AbortHangs();
        return true;
    }
    return false;
}

bool SimFireWireBus::IsPlugged(const SimVelbrin* unit) const { return NodeIdOf(unit) != 0; }

uint32_t SimFireWireBus::NodeIdOf(const SimVelbrin* unit) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& a : m_units)
        if (a.unit == unit)
            return a.nodeId;
    return 0;
}

int SimFireWireBus::RefusedTransfers() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_refused;
}

int SimFireWireBus::OpenHandles() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return int(m_handles.size());
}

std::vector<FwUnitInfo> SimFireWireBus::FindUnits(const std::string& vendorName, const std::string& productName)
{
    Tick();
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<FwUnitInfo> found;
    for (const auto& a : m_units) {
        if (a.unit->vendorName != vendorName || a.unit->productName != productName)
            continue;
        FwUnitInfo info;
        info.serviceId = a.serviceId;
        info.vendorName = a.unit->vendorName;
        info.productName = a.unit->productName;
        info.hasGuid = a.unit->publishGuid;
        info.guid = a.unit->Guid();
        info.hasNodeId = a.unit->publishNodeId;
        info.nodeId = a.nodeId;
        found.push_back(info);
    }
    return found;
}

void SimFireWireBus::SetArrivalWatcher(std::function<void()> onArrival)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_onArrival = std::move(onArrival);
}

uint64_t SimFireWireBus::WatchUnitRemoval(uint64_t serviceId, std::function<void()> onGone)
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& a : m_units) {
        if (a.serviceId == serviceId) {
            uint64_t id = m_nextWatchId++;
            m_watches[id] = {serviceId, std::move(onGone)};
            return id;
        }
    }
    return 0;
}

void SimFireWireBus::CancelWatch(uint64_t watchId)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_watches.erase(watchId);
}

bool SimFireWireBus::IsUnitConnected(uint64_t guid)
{
    Tick();
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& a : m_units)
        if (a.unit->Guid() == guid)
            return true;
    for (const auto& coming : m_comingBack)
        if (coming.first->Guid() == guid)
            return true;
    return false;
}

int SimFireWireBus::Open(uint32_t nodeId, FwHandle* handle)
{
    Tick();
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& a : m_units) {
        if (a.nodeId == nodeId) {
            FwHandle h = m_nextHandle++;
            if (m_nextHandle == 0)
                m_nextHandle = 1;
            m_handles[h] = a.serviceId;
            *handle = h;
            return 0;
        }
    }
    return kFwNoDevice;
}

int SimFireWireBus::Close(FwHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    auto h = m_handles.find(handle);
    if (h == m_handles.end())
        return kFwError;
    for (const auto& a : m_units)
        if (a.serviceId == h->second)
            a.unit->AbortHangs();  // under the bus lock, so the unit cannot be forgotten meanwhile
    m_handles.erase(h);
    return 0;
}

SimVelbrin* SimFireWireBus::Resolve(FwHandle handle, int* status)
{
    std::lock_guard<std::mutex> lock(m_lock);
    auto h = m_handles.find(handle);
    if (h == m_handles.end()) {
        ++m_refused;
        *status = -1;
        return nullptr;
    }
    for (const auto& a : m_units) {
        if (a.serviceId == h->second) {
            *status = 0;
            return a.unit;
        }
    }
    *status = kFwNoDevice;  // the unit left the bus under this handle
    return nullptr;
}

int SimFireWireBus::ExecuteAVC(FwHandle handle, const uint8_t* command, uint32_t commandLength,
                               uint8_t* response, uint32_t* responseLength)
{
    CpuScope served(m_servedCpuNs);
    int status;
    SimVelbrin* unit = Resolve(handle, &status);
    return unit ? unit->ExecuteAVC(command, commandLength, response, responseLength) : status;
}

int SimFireWireBus::ReadQuadlet(FwHandle handle, uint64_t address, uint32_t* value)
{
    CpuScope served(m_servedCpuNs);
    int status;
    SimVelbrin* unit = Resolve(handle, &status);
    return unit ? unit->ReadQuadlet(address, value) : status;
}

int SimFireWireBus::WriteQuadlet(FwHandle handle, uint64_t address, uint32_t value)
{
    CpuScope served(m_servedCpuNs);
    int status;
    SimVelbrin* unit = Resolve(handle, &status);
    return unit ? unit->WriteQuadlet(address, value) : status;
}

int SimFireWireBus::WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length)
{
    CpuScope served(m_servedCpuNs);
    int status;
    SimVelbrin* unit = Resolve(handle, &status);
    if (unit)
        status = unit->WriteBlock(address, data, *length);
    if (status != 0)
        *length = 0;
    return status;
}

std::vector<std::pair<uint64_t, SimVelbrin*>> SimFireWireBus::AttachedUnits() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<std::pair<uint64_t, SimVelbrin*>> units;
    for (const auto& a : m_units)
        units.push_back({a.serviceId, a.unit});
    return units;
}
