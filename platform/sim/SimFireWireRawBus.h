#pragma once
// The raw side of a simulated bus: matches the units of a SimFireWireBus by their vendor and
// product id, opens one exclusive device interface per unit, and hands block transfers to the
// unit's flash protocol. The bus generation moves on with every change of the units on the bus.

#include "platform/FireWireRawBus.h"
#include "platform/sim/SimFireWireBus.h"

#include <map>
#include <mutex>

class SimFireWireRawBus : public FireWireRawBus {
public:
    explicit SimFireWireRawBus(SimFireWireBus& bus) : m_bus(bus) {}

    // The raw side of SimFireWireBus::Default().
    static SimFireWireRawBus& Default();

    std::vector<FwDeviceInfo> MatchDevices(uint32_t vendorId, uint32_t productId) override;
    int OpenDevice(uint64_t serviceId, FwHandle* handle) override;
    int CloseDevice(FwHandle handle) override;
    int GetBusGeneration(FwHandle handle, uint32_t* generation) override;
    int ReadBlock(FwHandle handle, uint64_t address, uint8_t* data, uint32_t* length, bool failOnReset,
                  uint32_t generation) override;
    int WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length, bool failOnReset,
                   uint32_t generation) override;

    uint32_t Generation();
    int OpenDevices() const;

private:
    // The units on the bus now; moves the generation on when they changed.
    std::vector<std::pair<uint64_t, SimVelbrin*>> Survey();
    // The unit behind an open handle, or nullptr with the status to return.
    SimVelbrin* Resolve(FwHandle handle, bool failOnReset, uint32_t generation, int* status);
    // Resolve, and the address check; on failure *length is 0.
    SimVelbrin* BeginTransfer(FwHandle handle, uint64_t address, uint32_t* length, bool failOnReset,
                              uint32_t generation, int* status);
    void AfterTransfer(SimVelbrin* unit);

    SimFireWireBus& m_bus;
    mutable std::mutex m_lock;
    std::map<FwHandle, uint64_t> m_handles;  // handle -> service id
    FwHandle m_nextHandle = 1;
    std::vector<uint64_t> m_seen;            // service ids at the last survey
    uint32_t m_generation = 1;
};
