#include "CtrlPanel/device/FireWireSession.h"

#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/FireWireBus.h"

#include <atomic>
#include <cstring>
#include <mutex>

namespace FireWireSession {

namespace {

const char kVendorName[] = "Brennimar";
const char kProductName[] = "Velbrin";
constexpr uint32_t kResponseBufferSize = 512;
constexpr int kAttempts = 3;
constexpr uint32_t kRetryDelayMs = 600;

std::atomic<uint32_t> g_nodeId{0};
std::atomic<FwHandle> g_handle{0};
uint8_t* g_responseBuffer = nullptr;
// Watch state is touched on the GUI thread only, and by Open's rescan on whichever thread opens;
// the lock keeps the two apart.
std::mutex g_watchLock;
uint64_t g_watchId = 0;
uint64_t g_watchGeneration = 0;  // tells a stale removal notice from the current one
bool g_matching = false;
uint64_t g_serviceId = 0;  // the unit followed now; 0 after its removal
std::atomic<uint64_t> g_connections{0};
std::atomic<uint64_t> g_guid{0};

std::atomic<bool> g_canQuadletRead{false};
std::atomic<bool> g_canBlockRead{false};
std::atomic<bool> g_canQuadletWrite{false};
std::atomic<bool> g_canBlockWrite{false};

bool IsRetryable(int status) { return status == kFwTimeout || status == kFwBusReset; }

// The retry rule shared by the four primitives.
template <typename Attempt>
int WithRetries(const char* name, Attempt attempt)
{
    int status = 0;
    for (int left = kAttempts - 1; left >= 0; --left) {
        status = attempt();
        if (!IsRetryable(status))
            return status;
        DebugLog("%s returned error code 0x%x, %d retries left...\n", name, unsigned(status), left);
        GetClock().SleepMs(kRetryDelayMs);
    }
    DebugLog("%s returned error code 0x%x, given up now...\n", name, unsigned(status));
    return status;
}

void CancelWatchLocked()
{
    ++g_watchGeneration;
    if (g_watchId) {
        GetFireWireBus().CancelWatch(g_watchId);
        g_watchId = 0;
    }
}

}  // namespace

bool IsAcceptedGuid(uint64_t guid)
{
    return ((guid >> 32) & 0xFFFFFF) == 0x5D3B01 && (uint32_t(guid) & 0xFFFF0000) == 0x00010000;
}

void StartDeviceMatching()
{
    if (!g_responseBuffer)
        g_responseBuffer = new uint8_t[kResponseBufferSize]();
    {
        std::lock_guard<std::mutex> lock(g_watchLock);
        g_matching = true;
    }
    GetFireWireBus().SetArrivalWatcher([] { OnDeviceMatched(); });
    OnDeviceMatched();
}

void StopDeviceMatching()
{
    GetFireWireBus().SetArrivalWatcher(nullptr);
    std::lock_guard<std::mutex> lock(g_watchLock);
    g_matching = false;
    CancelWatchLocked();
    g_nodeId = 0;
    g_serviceId = 0;
}

void OnDeviceMatched()
{
    std::lock_guard<std::mutex> lock(g_watchLock);
    if (!g_matching)
        return;
    FireWireBus& bus = GetFireWireBus();
    for (const FwUnitInfo& unit : bus.FindUnits(kVendorName, kProductName)) {
        if (!unit.hasGuid || !IsAcceptedGuid(unit.guid))
            continue;
        GetClock().SleepUs(500);
        if (!unit.hasNodeId)
            continue;
        if (unit.serviceId != g_serviceId) {
            g_serviceId = unit.serviceId;
            ++g_connections;
        }
        g_nodeId = unit.nodeId;
        g_guid = unit.guid;
        CancelWatchLocked();
        if (unit.nodeId != 0) {
            uint64_t generation = ++g_watchGeneration;
            g_watchId = bus.WatchUnitRemoval(unit.serviceId, [generation] {
                // A unit that re-enumerated may already be open under its new node id.
                bool current;
                {
                    std::lock_guard<std::mutex> lock(g_watchLock);
                    current = generation == g_watchGeneration;
                }
                if (current)
                    OnDeviceInterest(kMessageServiceIsTerminated);
            });
        }
        return;
    }
    CancelWatchLocked();
    g_nodeId = 0;
    g_serviceId = 0;
}

void OnDeviceInterest(uint32_t messageType)
{
    if (messageType != kMessageServiceIsTerminated)
        return;
    std::lock_guard<std::mutex> lock(g_watchLock);
    g_watchId = 0;  // the bus dropped the watch when it told us
    g_nodeId = 0;
    g_serviceId = 0;
}

uint32_t NodeId() { return g_nodeId; }

uint64_t ConnectionCount() { return g_connections; }

uint64_t UnitGuid() { return g_guid; }

bool IsUnitConnected(uint64_t guid) { return guid != 0 && GetFireWireBus().IsUnitConnected(guid); }

int Open()
{
    OnDeviceMatched();
    uint32_t nodeId = g_nodeId;
    if (nodeId == 0)
        return -1;
    // One handle at a time: a handle still open is closed before the next is taken.
    if (FwHandle old = g_handle.exchange(0)) {
        DebugLog("FireWireSession::Open() : closing the handle still open\n");
        GetFireWireBus().Close(old);
    }
    FwHandle handle = 0;
    int status = GetFireWireBus().Open(nodeId, &handle);
    if (status == 0)
        g_handle = handle;
    return status;
}

int Close()
{
    FwHandle handle = g_handle.exchange(0);
    return GetFireWireBus().Close(handle);
}

void ReleaseResponseBuffer()
{
    delete[] g_responseBuffer;
    g_responseBuffer = nullptr;
}

int ExecuteAVC(void*, const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength)
{
    FwHandle handle = g_handle;
    if (!handle)
        return -1;
    uint8_t* buffer = response ? response : g_responseBuffer;
    uint32_t answered = 0;
    int status = WithRetries("FWAExecuteAVC", [&] {
        answered = length;
        if (!response && answered > kResponseBufferSize)
            answered = kResponseBufferSize;
        return GetFireWireBus().ExecuteAVC(handle, command, length, buffer, &answered);
    });
    if (responseLength)
        *responseLength = answered;
    return status;
}

int ReadQuadlet(void*, uint64_t address, uint32_t* value)
{
    FwHandle handle = g_handle;
    if (!handle)
        return -1;
    return WithRetries("FWAReadQuadlet", [&] {
        uint32_t word = 0;
        int status = GetFireWireBus().ReadQuadlet(handle, address, &word);
        *value = __builtin_bswap32(word);
        return status;
    });
}

int WriteQuadlet(void*, uint64_t address, uint32_t value)
{
    FwHandle handle = g_handle;
    if (!handle)
        return -1;
    return WithRetries("FWAWriteQuadlet",
                       [&] { return GetFireWireBus().WriteQuadlet(handle, address, __builtin_bswap32(value)); });
}

int WriteBlock(void*, uint64_t address, const uint8_t* data, uint32_t* length)
{
    FwHandle handle = g_handle;
    if (!handle)
        return -1;
    // The bus writes back the count it wrote, also when it failed: every attempt offers the whole block.
    const uint32_t full = *length;
    return WithRetries("FWAWriteBlock", [&] {
        *length = full;
        return GetFireWireBus().WriteBlock(handle, address, data, length);
    });
}

int ReadBlock(void*, uint64_t, uint8_t*, uint32_t*) { return -1; }

Capabilities GetCapabilities()
{
    Capabilities caps;
    caps.quadletRead = g_canQuadletRead;
    caps.blockRead = g_canBlockRead;
    caps.quadletWrite = g_canQuadletWrite;
    caps.blockWrite = g_canBlockWrite;
    return caps;
}

void SetCapabilities(const Capabilities& caps)
{
    g_canQuadletRead = caps.quadletRead;
    g_canBlockRead = caps.blockRead;
    g_canQuadletWrite = caps.quadletWrite;
    g_canBlockWrite = caps.blockWrite;
}

}  // namespace FireWireSession
