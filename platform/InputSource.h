#pragma once
// The live state of the keyboard modifiers and the mouse, read when asked (nothing is queued).
// The desktop implementation reads the pointer of the window it belongs to; tests use a fake.

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
