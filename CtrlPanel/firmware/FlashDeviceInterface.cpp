#include "CtrlPanel/firmware/FlashDeviceInterface.h"

int FlashDeviceInterface::Open(uint64_t serviceId)
{
    if (IsOpen())
        return 0;
    FireWireRawBus& bus = GetFireWireRawBus();
    FwHandle handle = 0;
    int status = bus.OpenDevice(serviceId, &handle);
    if (status == 0) {
        m_bus = &bus;
        m_handle = handle;
    }
    return status;
}

int FlashDeviceInterface::TakeBusGeneration()
{
    return IsOpen() ? m_bus->GetBusGeneration(m_handle, &m_generation) : kFwError;
}

void FlashDeviceInterface::Close()
{
    if (IsOpen())
        m_bus->CloseDevice(m_handle);
    m_handle = 0;
    m_bus = nullptr;
}

int FlashDeviceInterface::Read(uint64_t address, uint8_t* data, uint32_t length)
{
    if (!IsOpen())
        return kFwError;
    uint32_t moved = length;
    int status = m_bus->ReadBlock(m_handle, address, data, &moved, false, m_generation);
    return status ? status : moved == length ? 0 : kFwError;
}

int FlashDeviceInterface::Write(uint64_t address, const uint8_t* data, uint32_t length)
{
    if (!IsOpen())
        return kFwError;
    uint32_t moved = length;
    int status = m_bus->WriteBlock(m_handle, address, data, &moved, false, m_generation);
    return status ? status : moved == length ? 0 : kFwError;
}
