#pragma once
// A knob bound to a second, mode parameter: continuous while the mode is not 0, a two-position switch
// (0.0 or 1.0) while it is 0. It sits in an flTray2 and takes its background from the tray's image.
// Unlike flKnob it writes its value on every drag poll, moved or not; in switch mode 20 pixels sweep
// the range, so 10 pixels flip it.
//
// Arguments: cap strip, cap mask, track strip, track mask (exactly 4). Bound parameters: 0 the value,
// 1 the mode. An Option-click resets both.

#include "PAL/ViewLib/flKnob.h"

class flKnob2 : public flKnob {
public:
    flKnob2(const LayoutRecord* record, ControlPage* page);

    // The background is the part of the parent tray's image under the knob; blank when the parent
    // has no image.
    void SetBitmaps(const char* const* items, int32_t count) override;
    // Mode 0 snaps the parameter's current value to 0.0 or 1.0 and writes it when that differs.
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;


    // Pixels for the whole range in switch mode.
    static constexpr float kSwitchScale = 20.0f;

private:
    bool m_continuous = false;
};
