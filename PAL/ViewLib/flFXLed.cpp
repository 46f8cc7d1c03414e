#include "PAL/ViewLib/flFXLed.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

namespace {

float NanAsZero(float value)
{
    return value == value ? value : 0.0f;
}

}  // namespace

flFXLed::flFXLed(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

void flFXLed::SetBitmaps(const char* const* items, int32_t count)
{
    for (int32_t i = 0; i < kImageCount; ++i)
        m_images[i] = i < count ? BitmapCache::Get(items[i]) : nullptr;
}

void flFXLed::OnValueChanged(int32_t sub)
{
    if (sub >= 0 && sub <= 1 && m_owner)
        m_values[sub] = m_owner->GetValue(m_id, sub);
    Invalidate();
}

int32_t flFXLed::GetImageIndex() const
{
    return ClampIndex(NanAsZero(m_values[0]) + 2.0f * NanAsZero(m_values[1]), kImageCount);
}

void flFXLed::Paint(DrawContext* context)
{
    m_dirty = false;
    if (m_hidden || !context)
        return;
    if (Bitmap* image = m_images[GetImageIndex()])
        context->DrawBitmap(image, GetBounds(), nullptr);
}
