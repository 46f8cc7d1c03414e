#pragma once
// A bitmap button that acts as the mouse button goes down: each press sets its parameter to 1.0, even
// when it is on already (the listener and observers are told again); it never writes 0.0 itself. A
// panel groups several as a one-of-many selector and clears the others. It shows the window
// background under its rectangle while off and the lit image laid over that background while on;
// both images are composed once, from the arguments.
//
// Arguments: lit image, mask, background; or lit image, background (lit image copied whole).
// Bound parameter 0: the selected parameter. Any value but 0.0 shows as on (NaN as off).

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/View.h"

class flButton2 : public View {
public:
    flButton2(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

    // A disabled button ignores presses but still follows its parameter: a display-only lamp. No repaint.
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    float GetValue() const { return m_value; }

private:
    bool m_enabled = true;
    float m_value = 0.0f;
    std::unique_ptr<Bitmap> m_on;
    std::unique_ptr<Bitmap> m_off;
};
