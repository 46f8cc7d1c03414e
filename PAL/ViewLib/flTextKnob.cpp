#include "PAL/ViewLib/flTextKnob.h"

#include <algorithm>

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

namespace {

// The knob's record with the label's rectangle under the knob.
LayoutRecord LabelRecord(const LayoutRecord* knob)
{
    LayoutRecord label{};
    if (knob)
        label = *knob;
    else
        label.params[0] = -1;
    label.top = label.bottom + 8;
    label.bottom = label.bottom + 18;
    label.left = label.left - 4;
    label.right = label.right + 4;
    return label;
}

}  // namespace

flTextKnob::flTextKnob(const LayoutRecord* record, ControlPage* page)
    : View(record, page), m_knob(record, page), m_labelRecord(LabelRecord(record))
{
    m_label = new Static(&m_labelRecord, page);
}

flTextKnob::~flTextKnob()
{
    delete m_label;
}

void flTextKnob::SetBitmaps(const char* const* items, int32_t count)
{
    m_knob.SetBitmaps(items, count < 6 ? count : 6);
    m_label->Create(count >= 11 ? items + 6 : nullptr, count >= 11 ? 5 : 0);
    m_label->SetText(m_label->GetCaptionFormat());
}

void flTextKnob::OnMouseDown(int32_t x, int32_t y, int32_t, bool pressed, DrawContext* context)
{
    if (pressed) {
        m_tracking = true;
        m_knob.OnMouseDown(x, y, 0, true, context);
    }
    Invalidate();
}

void flTextKnob::SetMouseOver(bool over, DrawContext*)
{
    m_hovered = over;
    m_over = over;
    if (!over)
        m_label->SetText(m_label->GetCaptionFormat());
    else if (m_knob.IsEnabled())
        ShowValue();
    Invalidate();
}

void flTextKnob::OnValueChanged(int32_t sub)
{
    m_knob.OnValueChanged(sub);
    if (m_hovered && m_knob.IsEnabled())
        ShowValue();
    Invalidate();
}

void flTextKnob::OnDrag(DrawContext* context)
{
    m_knob.OnDrag(context);
    if (m_knob.IsEnabled())
        ShowValue();
    Invalidate();
}

void flTextKnob::OnRelease(DrawContext* context)
{
    int32_t x = 0, y = 0;
    if (context)
        context->GetMousePosition(x, y);
    if (m_hovered && context && Contains(x, y))
        return;
    m_hovered = false;
    m_label->SetText(m_label->GetCaptionFormat());
    Invalidate();
}

void flTextKnob::Paint(DrawContext* context)
{
    if (!m_hidden) {
        m_knob.Paint(context);
        m_label->Draw(context);
    }
    m_dirty = false;
}

void flTextKnob::MoveBy(int32_t dx, int32_t dy)
{
    View::MoveBy(dx, dy);
    m_knob.MoveBy(dx, dy);
    m_label->MoveBy(dx, dy);
}

Rect flTextKnob::GetPaintReach() const
{
    const Rect knob = View::GetPaintReach(), label = m_label->GetPaintReach();
    return Rect{std::min(knob.left, label.left), std::max(knob.right, label.right), std::min(knob.top, label.top),
                std::max(knob.bottom, label.bottom)};
}

void flTextKnob::SetCaption(const char* text)
{
    m_label->SetCaptionFormat(text);
    m_label->SetText(text);
    Invalidate();
}

void flTextKnob::SetEnabled(bool enabled)
{
    m_knob.SetEnabled(enabled);
    Invalidate();
}

void flTextKnob::ShowValue()
{
    char text[kValueTextLength + 1] = {};
    if (m_owner)
        m_owner->GetValueText(m_id, 0, text, kValueTextLength);
    m_label->SetText(text);
}
