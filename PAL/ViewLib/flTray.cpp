#include "PAL/ViewLib/flTray.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

flTray::flTray(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

void flTray::SetBitmaps(const char* const* items, int32_t count)
{
    for (int32_t i = 0; i < 2; ++i)
        m_images[i] = items && i < count ? BitmapCache::Get(items[i]) : nullptr;
}

void flTray::OnValueChanged(int32_t sub)
{
    if (sub == 0 && m_owner)
        m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

int32_t flTray::ImageOf(float value)
{
    return ClampIndex(value, 2);
}

void flTray::Paint(DrawContext* context)
{
    if (context && !m_hidden)
        if (Bitmap* image = m_images[ImageOf(m_value)])
            context->DrawBitmap(image, GetBounds(), nullptr);
    View::Paint(context);
}
