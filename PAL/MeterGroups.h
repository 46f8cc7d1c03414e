#pragma once
// What a window needs of the device's meter list: each window owns one meter group (1..7) and moves
// it to the front when shown, raised or focused, to the back when closed, and enables it while shown.
// The device's MeterList implements it. GUI thread only.

#include <cstdint>

class MeterGroups {
public:
    virtual ~MeterGroups() = default;
    virtual void MoveToFront(uint32_t group) = 0;
    virtual void MoveToBack(uint32_t group) = 0;
    virtual void SetEnabled(uint32_t group, bool enabled) = 0;
};
