#pragma once
// The plain background of a window: one archive bitmap drawn to the rectangle, then the children.
// Without arguments (the roots of the main-window layouts) it only paints its children.
//
// Arguments: the bitmap first; further items are ignored.

#include <cstdint>

#include "PAL/ViewLib/View.h"

class Canvas : public View {
public:
    Canvas(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~Canvas() override = default;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void Paint(DrawContext* context) override;

private:
    Bitmap* m_bitmap = nullptr;  // the cache's
};
