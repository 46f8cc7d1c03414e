#include "platform/sim/SimFireWireRawBus.h"

#include <algorithm>

namespace {
constexpr uint64_t kAddressLimit = 1ull << 48;
}

SimFireWireRawBus& SimFireWireRawBus::Default()
{
    static SimFireWireRawBus raw(SimFireWireBus::Default());
    return raw;
}

std::vector<std::pair<uint64_t, SimVelbrin*>> SimFireWireRawBus::Survey()
{
    auto units = m_bus.AttachedUnits();
    std::vector<uint64_t> ids;
    for (const auto& u : units)
        ids.push_back(u.first);
    std::lock_guard<std::mutex> lock(m_lock);
    if (ids != m_seen) {
        m_seen = std::move(ids);
        ++m_generation;
    }
    return units;
}

uint32_t SimFireWireRawBus::Generation()
{
    Survey();
    std::lock_guard<std::mutex> lock(m_lock);
    return m_generation;
}

int SimFireWireRawBus::OpenDevices() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return int(m_handles.size());
}

std::vector<FwDeviceInfo> SimFireWireRawBus::MatchDevices(uint32_t vendorId, uint32_t productId)
{
    m_bus.Tick();
    std::vector<FwDeviceInfo> found;
    for (const auto& u : Survey()) {
        const SimVelbrin* unit = u.second;
        if (unit->vendorId != vendorId || unit->productId != productId)
            continue;
        FwDeviceInfo info;
        info.serviceId = u.first;
        info.vendorId = unit->vendorId;
        info.productId = unit->productId;
        info.hasGuid = unit->publishGuid;
        info.guid = unit->publishGuid ? unit->Guid() : 0;
        info.vendorName = unit->vendorName;
        info.productName = unit->productName;
        info.drivers = unit->drivers;
        found.push_back(info);
    }
    return found;
}

int SimFireWireRawBus::OpenDevice(uint64_t serviceId, FwHandle* handle)
{
    auto units = Survey();
    if (std::none_of(units.begin(), units.end(), [&](const auto& u) { return u.first == serviceId; }))
        return kFwNoDevice;
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& h : m_handles)
        if (h.second == serviceId)
            return kFwExclusiveAccess;
    FwHandle h = m_nextHandle++;
    if (m_nextHandle == 0)
        m_nextHandle = 1;
    m_handles[h] = serviceId;
    *handle = h;
    return 0;
}

int SimFireWireRawBus::CloseDevice(FwHandle handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_handles.erase(handle) ? 0 : kFwError;
}

int SimFireWireRawBus::GetBusGeneration(FwHandle handle, uint32_t* generation)
{
    Survey();
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_handles.count(handle))
        return kFwError;
    *generation = m_generation;
    return 0;
}

SimVelbrin* SimFireWireRawBus::Resolve(FwHandle handle, bool failOnReset, uint32_t generation, int* status)
{
    auto units = Survey();
    std::lock_guard<std::mutex> lock(m_lock);
    auto h = m_handles.find(handle);
    if (h == m_handles.end()) {
        *status = kFwError;
        return nullptr;
    }
    if (failOnReset && generation != m_generation) {
        *status = kFwBusReset;
        return nullptr;
    }
    for (const auto& u : units) {
        if (u.first == h->second) {
            *status = 0;
            return u.second;
        }
    }
    *status = kFwNoDevice;  // the unit left the bus under this handle
    return nullptr;
}

void SimFireWireRawBus::AfterTransfer(SimVelbrin* unit)
{
    if (unit->flash.TakeLeaveRequest())
        m_bus.Unplug(unit);
}

SimVelbrin* SimFireWireRawBus::BeginTransfer(FwHandle handle, uint64_t address, uint32_t* length, bool failOnReset,
                                             uint32_t generation, int* status)
{
    SimVelbrin* unit = Resolve(handle, failOnReset, generation, status);
    if (unit && address + *length > kAddressLimit)
        *status = kFwError;
    if (*status == 0)
        return unit;
    *length = 0;
    return nullptr;
}

int SimFireWireRawBus::ReadBlock(FwHandle handle, uint64_t address, uint8_t* data, uint32_t* length,
                                 bool failOnReset, uint32_t generation)
{
    int status;
    SimVelbrin* unit = BeginTransfer(handle, address, length, failOnReset, generation, &status);
    if (!unit)
        return status;
    status = unit->flash.Read(address, data, length, failOnReset, generation);
    AfterTransfer(unit);
    return status;
}

int SimFireWireRawBus::WriteBlock(FwHandle handle, uint64_t address, const uint8_t* data, uint32_t* length,
                                  bool failOnReset, uint32_t generation)
{
    int status;
    SimVelbrin* unit = BeginTransfer(handle, address, length, failOnReset, generation, &status);
    if (!unit)
        return status;
    status = unit->flash.Write(address, data, length, failOnReset, generation);
    AfterTransfer(unit);
    return status;
}
