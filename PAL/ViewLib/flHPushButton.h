#pragma once
// A push button that acts on release (as flPushButton) and shows itself only while a second
// parameter equals its mode digit: the main window pairs two per effect strip, digits 0 and 1, so
// that exactly one of them is visible for either effect order. Hidden while held, it ends the press
// without a write. Both images are drawn whole and unchanged.
//
// Arguments: pressed image; normal image; mode digit. Bound parameters: 0 the toggled parameter,
// 1 the parameter that decides visibility (shown only when it equals the digit exactly).

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flHPushButton : public View {
public:
    flHPushButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext* context) override;
    void SetHidden(bool hidden, DrawContext* context) override;

    bool IsPressed() const { return m_pressed; }
    float GetValue() const { return m_value; }
    int32_t GetModeDigit() const { return m_modeDigit; }

private:
    float m_value = 1.0f;  // until the page first reports a value
    int32_t m_modeDigit = 0;
    bool m_pressed = false;
    Bitmap* m_normalImage = nullptr;   // the cache's; may be null (then nothing is drawn)
    Bitmap* m_pressedImage = nullptr;  // the cache's; may be null
};
