#include "PAL/ViewLib/PButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

void PButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_bitmap = count == 1 && items ? BitmapCache::Get(items[0]) : nullptr;
}

void PButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (m_hidden || !pressed)
        return;
    m_value = m_value != 0.0f ? 0.0f : 1.0f;
    Invalidate();
}

void PButton::OnValueChanged(int32_t sub)
{
    if (sub != 0)
        return;
    m_value = m_owner ? m_owner->GetValue(m_id, 0) : 0.0f;
    Invalidate();
}

void PButton::Paint(DrawContext* context)
{
    if (context && !m_hidden) {
        const Rect bounds = GetBounds();
        if (m_bitmap)
            context->DrawBitmap(m_bitmap, bounds, nullptr);
        if (m_value != 0.0f)
            context->DrawMissingBitmap(bounds);
        else
            context->FrameRect(bounds);
    }
    m_dirty = false;
}
