#include "PAL/ViewLib/BitmapControl.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

BitmapControl::~BitmapControl()
{
    delete m_image;
}

void BitmapControl::SetBitmaps(const char* const* items, int32_t count)
{
    delete m_image;
    m_image = nullptr;
    m_source = nullptr;
    if (count != 1 || !items)
        return;
    m_source = BitmapCache::Get(items[0]);
    if (m_source && m_source->IsValid())
        m_image = new Bitmap(m_source->GetWidth(), m_source->GetHeight());
    else
        m_source = nullptr;
}

void BitmapControl::Paint(DrawContext* context)
{
    if (m_source && m_image && context && !m_hidden) {
        m_source->CopyTo(m_image, 0, 0, nullptr);
        context->DrawBitmap(m_image, GetBounds(), nullptr);
    }
    View::Paint(context);
}
