#include "PAL/ViewLib/flRateLed.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

flRateLed::flRateLed(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flRateLed::~flRateLed()
{
    delete m_offImage;
}

void flRateLed::SetBitmaps(const char* const* items, int32_t count)
{
    delete m_offImage;
    m_offImage = nullptr;
    m_lit = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_code = count > 3 && items[3][0] ? items[3][0] - '0' : -1;
    const Bitmap* grey = count > 1 ? BitmapCache::Get(items[1]) : nullptr;
    const Bitmap* backdrop = count > 2 ? BitmapCache::Get(items[2]) : nullptr;
    if (!grey || !backdrop)
        return;
    const Rect under = GetBounds();
    m_offImage = new Bitmap(GetWidth(), GetHeight());
    backdrop->CopyTo(m_offImage, 0, 0, &under);
}

void flRateLed::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed || m_code < 0)
        return;
    m_values[0] = float(m_code);
    Invalidate();
    if (m_owner)
        m_owner->SetPlainValue(m_id, 0, float(m_code));
}

void flRateLed::OnValueChanged(int32_t sub)
{
    if (sub < 0 || sub > 1 || !m_owner)
        return;
    const float value = m_owner->GetPlainValue(m_id, sub);
    if (value != m_values[sub]) {
        m_values[sub] = value;
        Invalidate();
    }
}

void flRateLed::Paint(DrawContext* context)
{
    m_dirty = false;
    if (m_hidden || !context)
        return;
    if (Bitmap* image = IsLit() ? m_lit : m_offImage)
        context->DrawBitmap(image, GetBounds(), nullptr);
}
