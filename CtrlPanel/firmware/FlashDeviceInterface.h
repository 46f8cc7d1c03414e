#pragma once
// The exclusive device interface the updater holds on the unit: block reads and writes at 48-bit
// addresses with the bus generation taken after opening and fail-on-reset off. Without an open
// interface every transfer fails with kFwError. Used by one thread at a time.

#include "platform/FireWireRawBus.h"

#include <cstdint>

class FlashDeviceInterface {
public:
    bool IsOpen() const { return m_handle != 0; }
    // Opens on the raw bus in use, which this interface keeps until it closes.
    int Open(uint64_t serviceId);
    int TakeBusGeneration();
    uint32_t BusGeneration() const { return m_generation; }
    void Close();

    // A transfer that moves fewer bytes than asked fails with kFwError.
    int Read(uint64_t address, uint8_t* data, uint32_t length);
    int Write(uint64_t address, const uint8_t* data, uint32_t length);

private:
    FireWireRawBus* m_bus = nullptr;
    FwHandle m_handle = 0;
    uint32_t m_generation = 0;
};
