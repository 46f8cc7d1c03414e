#include "PAL/ViewLib/Canvas.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

void Canvas::SetBitmaps(const char* const* items, int32_t count)
{
    m_bitmap = count >= 1 && items ? BitmapCache::Get(items[0]) : nullptr;
}

void Canvas::Paint(DrawContext* context)
{
    if (m_bitmap && context && !m_hidden)
        context->DrawBitmap(m_bitmap, GetBounds(), nullptr);
    View::Paint(context);
}
