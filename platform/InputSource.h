#pragma once
// The keyboard modifiers and the mouse as the program sees them now. The desktop implementation
// answers with the state the event being handled carries, or outside events with the latest state it
// knows; tests use a fake.

#include <cstdint>

class InputSource {
public:
    virtual ~InputSource() = default;
    virtual bool IsOptionDown() = 0;   // Alt on this desktop
    virtual bool IsShiftDown() = 0;
    virtual bool IsCommandDown() = 0;  // Control on this desktop
    // Any mouse button held.
    virtual bool IsMouseDown() = 0;
    // The pointer in the window's client coordinates (may lie outside the window).
    virtual void GetMousePosition(int32_t& x, int32_t& y) = 0;
};
