#pragma once
// A control that shows one archive bitmap at its top left and paints its children over it. The image
// is drawn from a private copy the size of the bitmap.
//
// Arguments: the bitmap (1 item).

#include <cstdint>

#include "PAL/ViewLib/View.h"

class BitmapControl : public View {
public:
    BitmapControl(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    ~BitmapControl() override;

    void SetBitmaps(const char* const* items, int32_t count) override;
    void Paint(DrawContext* context) override;

private:
    Bitmap* m_source = nullptr;  // the cache's
    Bitmap* m_image = nullptr;   // owned
};
