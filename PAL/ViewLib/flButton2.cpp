#include "PAL/ViewLib/flButton2.h"

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flButton2::SetBitmaps(const char* const* items, int32_t count)
{
    m_enabled = true;
    ComposeLitImages(*this, items, count, m_on, m_off);
}

void flButton2::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed || !m_enabled || !m_owner)
        return;
    m_value = 1.0f;
    m_owner->SetValue(m_id, 0, m_value);
    Invalidate();
}

void flButton2::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

void flButton2::Paint(DrawContext* context)
{
    if (!m_hidden && context)
        context->DrawBitmap(IsOn(m_value) ? m_on.get() : m_off.get(), GetBounds(), nullptr);
    m_dirty = false;
}
