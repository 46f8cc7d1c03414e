#include "PAL/ViewLib/flExtText.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

flExtText::~flExtText()
{
    delete m_normalImage;
}

void flExtText::SetBitmaps(const char* const* items, int32_t count)
{
    delete m_normalImage;
    m_normalImage = nullptr;
    m_greyImage = nullptr;
    m_normal = false;
    if (count < 1 || !items)
        return;
    m_greyImage = BitmapCache::Get(items[0]);
    m_normalImage = new Bitmap(GetWidth(), GetHeight());
    const Bitmap* backdrop = count >= 2 ? BitmapCache::Get(items[1]) : nullptr;
    if (backdrop) {
        const Rect under = GetBounds();
        backdrop->CopyTo(m_normalImage, 0, 0, &under);
    }
}

void flExtText::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    const bool normal = m_owner->GetPlainValue(m_id, 0) != kGreyValue;
    if (normal == m_normal)
        return;
    m_normal = normal;
    Invalidate();
}

void flExtText::Paint(DrawContext* context)
{
    Bitmap* image = m_normal ? m_normalImage : m_greyImage;
    if (image && context && !m_hidden)
        context->DrawBitmap(image, GetBounds(), nullptr);
    m_dirty = false;
}
