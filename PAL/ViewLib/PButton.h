#pragma once
// A test button: a press flips the state it shows (a crossed box when on, a plain frame when off) over
// its bitmap. The bound parameter is not written; the shown state follows the parameter again at its
// next change.
//
// Arguments: the bitmap (1 item). Parameter 0: the value shown.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class PButton : public View {
public:
    PButton(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~PButton() override = default;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context) override;
    void OnValueChanged(int32_t sub) override;
    void Paint(DrawContext* context) override;

private:
    float m_value = 0.0f;
    Bitmap* m_bitmap = nullptr;  // the cache's
};
