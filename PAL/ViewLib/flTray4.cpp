#include "PAL/ViewLib/flTray4.h"

#include <cstring>

#include "PAL/ViewLib/ControlPage.h"

flTray4::flTray4(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

void flTray4::SetBitmaps(const char* const* items, int32_t count)
{
    m_values[0] = m_values[1] = 0.0f;
    m_cover.Load(items, count, GetBounds());
    m_invert = items && count >= 4 && strcmp(items[3], "INVERT") == 0;
}

void flTray4::SetMouseOver(bool, DrawContext*)
{
    Invalidate();
}

void flTray4::OnResetClick(int32_t, int32_t, DrawContext*) {}

void flTray4::OnValueChanged(int32_t sub)
{
    if ((sub == 0 || sub == 1) && m_owner)
        m_values[sub] = m_owner->GetValue(m_id, sub);
    Invalidate();
}

bool flTray4::IsActive() const
{
    return (m_values[0] > 0.0f) != m_invert && !(m_values[1] > 0.0f);
}

View* flTray4::FindViewAt(int32_t x, int32_t y)
{
    if (!IsActive())
        return View::FindViewAt(x, y);
    return !m_hidden && Contains(x, y) ? this : nullptr;
}

void flTray4::Paint(DrawContext* context)
{
    if (m_hidden || !context || !IsActive()) {
        View::Paint(context);
        return;
    }
    m_cover.BeginChildren(context, GetBounds());
    View::Paint(context);
    m_cover.EndChildren(context, GetBounds());
    m_cover.Show(context, GetBounds(), 0);
}
