#pragma once
// The raw side of the FireWire bus, for writing a unit's flash: units matched by vendor and product
// id over the same discovery as FireWireBus::FindUnits, an exclusive device interface on one of
// them, and block reads and writes at node-relative 48-bit addresses.
//
// Status codes are those of FireWireBus.h. Every transfer carries a bus generation: with
// failOnReset, a generation other than the bus's current one fails with kFwBusReset; without it,
// the generation is passed along and the transfer goes to the unit wherever it now is.

#include "platform/FireWireBus.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kFwExclusiveAccess = int(0xE00002C5);

// What the registry tells of one unit on the raw side. Missing names are empty.
struct FwDeviceInfo {
    uint64_t serviceId = 0;
    uint32_t vendorId = 0;
    uint32_t productId = 0;
    bool hasGuid = false;
    uint64_t guid = 0;
    std::string vendorName;
    std::string productName;
    // The kernel drivers bound to the unit, in the order they can be unloaded.
    std::vector<std::string> drivers;
};

class FireWireRawBus {
public:
    virtual ~FireWireRawBus() = default;

    // The units now present with this vendor and product id, in bus order.
    virtual std::vector<FwDeviceInfo> MatchDevices(uint32_t vendorId, uint32_t productId) = 0;
    // Opens an exclusive device interface on the unit; kFwNoDevice when it has left the bus,
    // kFwExclusiveAccess when another interface holds it.
    virtual int OpenDevice(uint64_t serviceId, FwHandle* handle) = 0;
    // Closing handle 0 or an unknown handle returns kFwError.
    virtual int CloseDevice(FwHandle handle) = 0;
    virtual int GetBusGeneration(FwHandle handle, uint32_t* generation) = 0;
    // *length holds the byte count asked for; on return, the count moved.
    virtual int ReadBlock(FwHandle handle, uint64_t address, uint8_t* data, uint32_t* length, bool failOnReset,
                          uint32_t generation) = 0;
    virtual int WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length,
                           bool failOnReset, uint32_t generation) = 0;
};

// The installed raw bus; asserts when none is installed.
FireWireRawBus& GetFireWireRawBus();
// Installs a raw bus (nullptr leaves none). The caller keeps ownership.
void SetFireWireRawBus(FireWireRawBus* bus);
