#pragma once
// What a page needs of the device's meter list to show levels: the latest value of a meter slot
// (1.0 full scale). The device's MeterList implements it; tests use a fake. The main pages read slots
// 0..5, the levels of meter group 1. Read on the GUI thread while the polling thread writes; each slot
// is one atomic float.

class MeterLevels {
public:
    virtual ~MeterLevels() = default;
    // slot: 0..17.
    virtual float Meter(int slot) const = 0;
};
