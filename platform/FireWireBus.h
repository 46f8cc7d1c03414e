#pragma once
// The FireWire side of the platform: finding units on the bus and moving quadlets, blocks and AV/C
// frames to an opened unit.
//
// Status codes are the platform's: 0 on success, kFwTimeout / kFwBusReset (worth a retry), other
// 0xE000xxxx codes for errors, and -1 from every transfer made without an open handle.
//
// Word order: ReadQuadlet delivers, and WriteQuadlet takes, the quadlet as a host-order number.
// WriteBlock and ExecuteAVC move bytes exactly as they lie in the buffer.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr int kFwTimeout = int(0xE00002D6);
constexpr int kFwBusReset = int(0xE0008014);
constexpr int kFwNoDevice = int(0xE00002C0);
constexpr int kFwNotResponding = int(0xE00002ED);
constexpr int kFwUnsupported = int(0xE00002C7);
constexpr int kFwError = int(0xE00002BC);

// What the registry tells of one unit on the bus. Missing properties are flagged, not guessed.
struct FwUnitInfo {
    uint64_t serviceId = 0;  // stable while the unit stays on the bus
    std::string vendorName;
    std::string productName;
    bool hasGuid = false;
    uint64_t guid = 0;
    bool hasNodeId = false;
    uint32_t nodeId = 0;
};

using FwHandle = uint32_t;  // 0 = none

class FireWireBus {
public:
    virtual ~FireWireBus() = default;

    // --- discovery ---
    // The units now present whose vendor and product names match, in bus order.
    virtual std::vector<FwUnitInfo> FindUnits(const std::string& vendorName,
                                              const std::string& productName) = 0;
    // Called (through PostToMainThread, so on the GUI thread) whenever a unit arrives.
    // One watcher; an empty function removes it.
    virtual void SetArrivalWatcher(std::function<void()> onArrival) = 0;
    // Calls onGone once (on the GUI thread) when the unit with this service id leaves the bus.
    // Returns a watch id (0 when the unit is already gone).
    virtual uint64_t WatchUnitRemoval(uint64_t serviceId, std::function<void()> onGone) = 0;
    virtual void CancelWatch(uint64_t watchId) = 0;
    // True while the unit with this GUID is connected: on the bus, or off it only while it restarts
    // (a unit that switches its DSP mode leaves the bus and re-enumerates). False once it is unplugged.
    virtual bool IsUnitConnected(uint64_t guid) = 0;

    // --- transfers ---
    // Opens the unit at nodeId; stores a handle in *handle. 0 or an error code.
    virtual int Open(uint32_t nodeId, FwHandle* handle) = 0;
    // Closing handle 0 or an unknown handle returns kFwError and changes nothing.
    virtual int Close(FwHandle handle) = 0;
    // *responseLength holds the capacity of response on entry and the answer's length on return.
    virtual int ExecuteAVC(FwHandle handle, const uint8_t* command, uint32_t commandLength,
                           uint8_t* response, uint32_t* responseLength) = 0;
    virtual int ReadQuadlet(FwHandle handle, uint64_t address, uint32_t* value) = 0;
    virtual int WriteQuadlet(FwHandle handle, uint64_t address, uint32_t value) = 0;
    // *length holds the byte count; on return, the count written.
    virtual int WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length) = 0;
};

// The installed bus; asserts when none is installed.
FireWireBus& GetFireWireBus();
// Installs a bus (nullptr leaves none). The caller keeps ownership.
void SetFireWireBus(FireWireBus* bus);
