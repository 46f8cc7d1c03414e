#include "PAL/ViewLib/flCanvas.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

void flCanvas::SetBitmaps(const char* const* items, int32_t count)
{
    m_background = count >= 1 && items ? BitmapCache::Get(items[0]) : nullptr;
}

void flCanvas::Paint(DrawContext* context)
{
    if (m_background && context && !m_hidden)
        context->DrawBitmap(m_background, GetBounds(), nullptr);
    View::Paint(context);
}
