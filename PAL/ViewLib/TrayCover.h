#pragma once
// The images of a cover tray (flTray3, flTray4): the cover and its mask (shared, from the bitmap
// cache) and a work image of the tray's size (owned, made at the first paint) that starts each paint
// with the window background under the tray. A cover is composed by painting the tray's children into
// the work image over the background, blending the cover over them and drawing the result into the
// tray's rectangle.

#include <cstdint>

#include "PAL/Bitmap.h"
#include "PAL/ViewLib/BackdropImage.h"

class DrawContext;

class TrayCover {
public:
    TrayCover() = default;
    TrayCover(const TrayCover&) = delete;
    TrayCover& operator=(const TrayCover&) = delete;
    ~TrayCover();

    // Items 0..2: cover, cover mask, window background; missing ones leave the cover undrawn or the
    // background blank.
    void Load(const char* const* items, int32_t count, const Rect& bounds);
    // The background into the work image, then drawing redirected into it; painting in window
    // coordinates lands in the work image until EndChildren.
    void BeginChildren(DrawContext* context, const Rect& bounds);
    void EndChildren(DrawContext* context, const Rect& bounds);
    // Blends the cover into the work image at (x, 0) and draws the work image into bounds.
    void Show(DrawContext* context, const Rect& bounds, int32_t x);

    Bitmap* GetWork() { return m_work.Get(); }

private:
    void Release();

    Bitmap* m_cover = nullptr;
    Bitmap* m_mask = nullptr;
    BackdropImage m_work;
};
