#include "PAL/ViewLib/flEQType.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

flEQType::~flEQType()
{
    delete m_image;
}

void flEQType::SetBitmaps(const char* const* items, int32_t count)
{
    delete m_image;
    m_image = nullptr;
    m_strip = nullptr;
    m_frameWidth = 0;
    if (count != 1 || !items)
        return;
    m_frameWidth = GetWidth();
    m_image = new Bitmap(GetWidth(), GetHeight());
    m_strip = BitmapCache::Get(items[0]);
}

void flEQType::SetType(int32_t type)
{
    m_type = type;
    Invalidate();
}

void flEQType::Paint(DrawContext* context)
{
    if (m_image && m_strip && context && !m_hidden) {
        // 64-bit: any frame index may arrive; only a region overlapping the strip is copied.
        const int64_t left = int64_t(m_frameWidth) * m_type;
        const int64_t right = left + m_frameWidth;
        if (left < m_strip->GetWidth() && right > 0) {
            const Rect frame = {int32_t(left), int32_t(right), 0, m_strip->GetHeight()};
            m_strip->CopyTo(m_image, 0, 0, &frame);
        }
        context->DrawBitmap(m_image, GetBounds(), nullptr);
    }
    m_dirty = false;
}
