#pragma once
// A rotary control over a horizontal film strip whose frames are as wide as the control. Dragging
// sets the value from the pointer's angle around the control's centre: straight below is 0.0, and the
// value grows clockwise through the left (left 0.25, up 0.5, right 0.75).
//
// Arguments: the strip (1 item). Parameter 0: the value.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class Knob : public View {
public:
    Knob(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~Knob() override = default;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    // The value of a pointer at (x, y) around the centre (cx, cy), in 0..1.
    static float AngleValue(int32_t cx, int32_t cy, int32_t x, int32_t y);
    // The frame drawn for value: held to the strip (0 without frames).
    int32_t GetFrame() const;

private:
    int32_t m_frameCount = 0;
    int32_t m_frameWidth = 0;
    float m_value = 0.0f;
    int32_t m_centreX = 0;
    int32_t m_centreY = 0;
    Bitmap* m_strip = nullptr;  // the cache's
};
