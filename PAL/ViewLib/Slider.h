#pragma once
// A vertical slider drawn with two lines over its bitmap: a vertical line down the middle and a
// horizontal line at the value's height, the top being 0.0 and the bottom 1.0. Both lines include
// their end points, so they reach the right and bottom edges.
//
// Arguments: the bitmap (1 item). Parameter 0: the value.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class Slider : public View {
public:
    Slider(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~Slider() override = default;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void OnDrag(DrawContext* context) override;
    void Paint(DrawContext* context) override;

    // The row of the horizontal line for the shown value, held to top..bottom.
    int32_t GetLineY() const;

private:
    float m_value = 0.0f;
    int32_t m_centreX = 0;
    Bitmap* m_bitmap = nullptr;  // the cache's
};
