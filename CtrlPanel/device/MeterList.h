#pragma once
// The device's level meters: which meter groups the polling thread reads, and the latest levels as
// 18 float slots.
//
// Groups (one per window): 1 main window; 2, 3 compressor of input 1, 2; 4, 5 EQ; 6, 7 amp simulator.
// The GUI thread moves and enables groups and reads the slots; the polling thread reads the meters.
// The entries are under a lock; the slots are atomic floats.

#include "CtrlPanel/device/DeviceListener.h"
#include "CtrlPanel/device/ItemAccess.h"
#include "PAL/MeterGroups.h"
#include "PAL/MeterLevels.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

constexpr int kMeterSlots = 18;
constexpr int kMeterGroups = 7;

struct MeterEntry {
    uint32_t group;
    bool enabled;
};

class MeterList : public DeviceListener, public MeterGroups, public MeterLevels {
public:
    // Reads the meters and the sample rate through items; without them the rate counts as unknown
    // and every read fails.
    explicit MeterList(ItemAccess* items = nullptr);

    void OnDeviceEvent(int event) override;
    void SetEnabled(uint32_t group, bool enabled) override;
    bool IsEnabled(uint32_t group) const;
    void MoveToFront(uint32_t group) override;
    void MoveToBack(uint32_t group) override;
    // Reads the enabled groups among the first entries with one HAL read. Returns the number of items
    // read, 0 when nothing was to be read, -1 when the read failed (the meters are then unchanged).
    int ReadMeters();

    float Meter(int slot) const override { return m_meters[slot].load(std::memory_order_relaxed); }
    void SetMeter(int slot, float value) { m_meters[slot].store(value, std::memory_order_relaxed); }
    // Sets every slot to 0, except the two compressor gain slots (7, 10), which rest at 1.
    void ClearMeters();

    // The user's metering switch. While it is off nothing is read; switching it off rests the meters
    // (as ClearMeters), so every meter falls back as it does when the signal stops.
    void SetDisabled(bool disabled);
    bool IsDisabled() const { return m_disabled.load(); }

    std::vector<MeterEntry> Entries() const;
    uint32_t CountToRead() const { return m_countToRead; }

private:
    // Removes the group's entry and returns its flag (false when absent). Caller holds the lock.
    bool TakeEntryLocked(uint32_t group);

    ItemAccess* const m_items;
    std::atomic<float> m_meters[kMeterSlots];
    mutable std::mutex m_lock;
    std::vector<MeterEntry> m_entries;
    std::atomic<uint32_t> m_countToRead{1};
    std::atomic<bool> m_disabled{false};
};
