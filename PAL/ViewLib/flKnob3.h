#pragma once
// A knob bound to a second, lock parameter: while the lock is not 0 the knob ignores presses, drags
// and Option-clicks and shows the locked caps. flTextKnob switches it with SetEnabled instead.
//
// Arguments: the 5 of flKnob, then the locked cap strip (exactly 6). Bound parameters: 0 the value,
// 1 the lock. An Option-click resets the value only.

#include "PAL/ViewLib/flKnob.h"

class flKnob3 : public flKnob {
public:
    flKnob3(const LayoutRecord* record, ControlPage* page);

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnResetClick(int32_t x, int32_t y, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return !m_disabled; }

private:
    const Bitmap* m_hwCapStrip = nullptr;
    bool m_disabled = false;
};
