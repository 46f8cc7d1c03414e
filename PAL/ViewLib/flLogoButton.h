#pragma once
// An invisible click area over the logo: a release inside its rectangle toggles its parameter between
// 0.0 and 1.0. It draws nothing and never asks for a repaint.
//
// No arguments. Bound parameter 0: the toggled parameter.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flLogoButton : public View {
public:
    flLogoButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

    void SetBitmaps(const char* const*, int32_t) override {}
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnRelease(DrawContext* context) override;
    void Paint(DrawContext*) override { m_dirty = false; }
    // Hiding a held button ends the press without a write.
    void SetHidden(bool hidden, DrawContext* context) override;

    float GetValue() const { return m_value; }

private:
    float m_value = 0.0f;
};
