#include "PAL/ViewLib/flButton.h"

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_enabled = true;
    ComposeLitImages(*this, items, count, m_on, m_off);
}

void flButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed || !m_enabled || !m_owner)
        return;
    m_value = PressedValue(m_value);
    m_owner->SetValue(m_id, 0, m_value);
    Invalidate();
}

float flButton::PressedValue(float shown) const
{
    return Toggled(shown);
}

void flButton::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

void flButton::Paint(DrawContext* context)
{
    if (!m_hidden && context)
        context->DrawBitmap(IsOn(m_value) ? m_on.get() : m_off.get(), GetBounds(), nullptr);
    m_dirty = false;
}
