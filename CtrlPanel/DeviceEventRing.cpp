#include "CtrlPanel/DeviceEventRing.h"

bool DeviceEventRing::Push(int event)
{
    const uint32_t write = m_write.load(std::memory_order_relaxed);
    const uint32_t next = (write + 1) % kSlots;
    if (next == m_read.load(std::memory_order_acquire))
        return false;
    m_events[write] = event;
    m_write.store(next, std::memory_order_release);
    return true;
}

bool DeviceEventRing::Pop(int& event)
{
    const uint32_t read = m_read.load(std::memory_order_relaxed);
    if (read == m_write.load(std::memory_order_acquire))
        return false;
    event = m_events[read];
    m_read.store((read + 1) % kSlots, std::memory_order_release);
    return true;
}

uint32_t DeviceEventRing::Pending() const
{
    const uint32_t write = m_write.load(std::memory_order_acquire);
    const uint32_t read = m_read.load(std::memory_order_acquire);
    return (write + kSlots - read) % kSlots;
}
