#pragma once
// A bitmap button that acts as the mouse button goes down: each press sets its parameter to 1.0, even
// when it is on already (the listener and observers are told again); it never writes 0.0 itself. A
// panel groups several as a one-of-many selector and clears the others. Drawn, enabled and bound as
// flButton.

#include "PAL/ViewLib/flButton.h"

class flButton2 : public flButton {
public:
    flButton2(const LayoutRecord* record, ControlPage* page) : flButton(record, page) {}

protected:
    float PressedValue(float) const override { return 1.0f; }
};
