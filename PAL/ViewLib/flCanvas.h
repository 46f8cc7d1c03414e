#pragma once
// The background of a skinned window: its backdrop bitmap drawn to the rectangle, then the children.
// A click outside every child changes nothing.
//
// Arguments: the backdrop (optional; without it only the children are painted).

#include <cstdint>

#include "PAL/ViewLib/View.h"

class flCanvas : public View {
public:
    flCanvas(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~flCanvas() override = default;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void Paint(DrawContext* context) override;

private:
    Bitmap* m_background = nullptr;  // the cache's
};
