#pragma once
// The device events on their way from the HAL to idle processing: a ring of eight slots, at most
// seven of them pending. An event that finds the ring full is dropped.
//
// Threads: one producer (the thread the HAL tells its listeners on) and one consumer (the GUI thread);
// no lock. The producer writes only the slot in front of the write index and then the write index;
// the consumer reads the slot and then moves the read index.

#include <atomic>
#include <cstdint>

class DeviceEventRing {
public:
    static constexpr uint32_t kSlots = 8;

    // Producer: false when the ring was full and the event is dropped.
    bool Push(int event);
    // Consumer: the oldest pending event; false when none is pending.
    bool Pop(int& event);
    // Either side: the number of pending events, 0..7.
    uint32_t Pending() const;

private:
    int m_events[kSlots] = {};
    std::atomic<uint32_t> m_write{0};
    std::atomic<uint32_t> m_read{0};
};
