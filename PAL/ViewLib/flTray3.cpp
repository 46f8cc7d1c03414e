#include "PAL/ViewLib/flTray3.h"

#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

flTray3::flTray3(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

void flTray3::SetBitmaps(const char* const* items, int32_t count)
{
    m_cover.Load(items, count, GetBounds());
}

void flTray3::OnValueChanged(int32_t sub)
{
    if (sub == 0 && m_owner)
        m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

bool flTray3::IsStereo() const
{
    return SanitiseUnit(m_value) != 0.0f;
}

View* flTray3::FindViewAt(int32_t x, int32_t y)
{
    if (IsStereo() && x > m_left + kSecondColumn)
        return nullptr;
    return View::FindViewAt(x, y);
}

void flTray3::Paint(DrawContext* context)
{
    if (m_hidden || !context || !IsStereo()) {
        View::Paint(context);
        return;
    }
    m_cover.BeginChildren(context, GetBounds());
    View::Paint(context);
    m_cover.EndChildren(context, GetBounds());
    if (Bitmap* work = m_cover.GetWork())
        work->CopyTo(work, kSecondColumn, kFirstColumn.top, &kFirstColumn);
    m_cover.Show(context, GetBounds(), kSecondColumn);
}
