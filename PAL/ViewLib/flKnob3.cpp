#include "PAL/ViewLib/flKnob3.h"

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/ControlPage.h"

flKnob3::flKnob3(const LayoutRecord* record, ControlPage* page) : flKnob(record, page) {}

void flKnob3::SetBitmaps(const char* const* items, int32_t count)
{
    ResetImages();
    m_hwCapStrip = nullptr;
    m_disabled = false;
    if (count != 6 || !items)
        return;
    LoadStrips(items);
    CutBackground(items[4], GetBounds());
    m_hwCapStrip = BitmapCache::Get(items[5]);
}

void flKnob3::OnMouseDown(int32_t x, int32_t y, int32_t modifiers, bool pressed, DrawContext* context)
{
    if (m_disabled) {
        m_tracking = false;
        return;
    }
    flKnob::OnMouseDown(x, y, modifiers, pressed, context);
}

void flKnob3::OnResetClick(int32_t, int32_t, DrawContext*)
{
    if (!m_disabled && !m_hidden && m_owner)
        m_owner->ResetValue(m_id, 0);
}

void flKnob3::OnValueChanged(int32_t sub)
{
    if (sub == 1) {
        if (m_owner)
            m_disabled = m_owner->GetValue(m_id, 1) != 0.0f;
    } else {
        flKnob::OnValueChanged(sub);
    }
    Invalidate();
}

void flKnob3::OnDrag(DrawContext* context)
{
    if (m_disabled) {
        m_tracking = false;
        return;
    }
    flKnob::OnDrag(context);
}

void flKnob3::Paint(DrawContext* context)
{
    // Both cap strips must be there, whichever is shown.
    Compose(context, m_hwCapStrip ? (m_disabled ? m_hwCapStrip : m_capStrip) : nullptr);
    m_dirty = false;
}

void flKnob3::SetEnabled(bool enabled)
{
    m_disabled = !enabled;
    Invalidate();
}
