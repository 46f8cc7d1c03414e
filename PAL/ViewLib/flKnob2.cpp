#include "PAL/ViewLib/flKnob2.h"

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flTray2.h"

namespace {
float Snapped(float value)
{
    return value >= 0.5f ? 1.0f : 0.0f;
}
}  // namespace

flKnob2::flKnob2(const LayoutRecord* record, ControlPage* page) : flKnob(record, page) {}

void flKnob2::SetBitmaps(const char* const* items, int32_t count)
{
    ResetImages();
    if (count != 4 || !items)
        return;
    LoadStrips(items);
    const auto* tray = dynamic_cast<const flTray2*>(GetParent());
    const Bitmap* image = tray ? tray->GetImage() : nullptr;
    if (!image)
        return;
    const Rect parent = tray->GetBounds();
    const Rect inParent = {m_left - parent.left, m_right - parent.left, m_top - parent.top, m_bottom - parent.top};
    m_work.SetBackground(image, inParent);
}

void flKnob2::OnValueChanged(int32_t sub)
{
    if (sub != 1) {
        flKnob::OnValueChanged(sub);
        return;
    }
    if (!m_owner)
        return;
    m_continuous = m_owner->GetValue(m_id, 1) != 0.0f;
    if (!m_continuous) {
        // Read first: on a page's first refresh the mode arrives before the value.
        const float current = m_owner->GetValue(m_id, 0);
        m_value = Snapped(current);
        if (m_value != current)
            m_owner->SetValue(m_id, 0, m_value);
    }
    Invalidate();
}

void flKnob2::OnDrag(DrawContext* context)
{
    if (!context)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    const float scale = context->IsShiftDown() ? kFineScale : m_continuous ? kScale : kSwitchScale;
    m_value = Step(x, y, scale);
    if (!m_continuous)
        m_value = Snapped(m_value);
    Commit(context);
}
