#pragma once
// A two-state bitmap button that acts as the mouse button goes down: each press toggles its parameter
// between 0.0 and 1.0. It shows the window background under its rectangle while off and the lit image
// laid over that background while on; both images are composed once, from the arguments.
//
// Arguments: lit image, mask, background; or lit image, background (lit image copied whole).
// Bound parameter 0: the switched parameter. Any value but 0.0 shows as on (NaN as off).

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flButton : public View {
public:
    flButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    // A disabled button ignores presses but still follows its parameter: a display-only lamp. No repaint.
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    float GetValue() const { return m_value; }

protected:
    // The value a press writes, given the one shown: the other state.
    virtual float PressedValue(float shown) const;

private:
    bool m_enabled = true;
    float m_value = 0.0f;
    std::unique_ptr<Bitmap> m_on;
    std::unique_ptr<Bitmap> m_off;
};
