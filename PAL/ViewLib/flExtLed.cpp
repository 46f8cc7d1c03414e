#include "PAL/ViewLib/flExtLed.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

flExtLed::flExtLed(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flExtLed::~flExtLed()
{
    Release();
}

void flExtLed::Release()
{
    delete m_offImage;
    delete m_greyImage;
    m_offImage = nullptr;
    m_greyImage = nullptr;
}

void flExtLed::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_enabled = true;
    m_lit = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    const Bitmap* grey = count > 1 ? BitmapCache::Get(items[1]) : nullptr;
    const Bitmap* backdrop = count > 2 ? BitmapCache::Get(items[2]) : nullptr;
    if (!grey || !backdrop)
        return;
    const Rect under = GetBounds();
    m_offImage = new Bitmap(GetWidth(), GetHeight());
    m_greyImage = new Bitmap(GetWidth(), GetHeight());
    backdrop->CopyTo(m_offImage, 0, 0, &under);
    backdrop->CopyTo(m_greyImage, 0, 0, &under);
    grey->CopyTo(m_greyImage, 4, 2, nullptr);
}

void flExtLed::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed || !m_enabled)
        return;
    m_value = m_value == 0.0f ? 1.0f : 0.0f;
    Invalidate();
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
}

void flExtLed::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    const float value = m_owner->GetValue(m_id, 0);
    if (value != m_value) {
        m_value = value;
        Invalidate();
    }
}

void flExtLed::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    Invalidate();
}

void flExtLed::Paint(DrawContext* context)
{
    m_dirty = false;
    if (m_hidden || !context)
        return;
    Bitmap* image = !m_enabled ? m_greyImage : m_value == 0.0f ? m_offImage : m_lit;
    if (image)
        context->DrawBitmap(image, GetBounds(), nullptr);
}
