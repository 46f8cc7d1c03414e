#include "PAL/ViewLib/flTray4.h"

#include <cstring>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

flTray4::flTray4(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flTray4::~flTray4()
{
    Release();
}

void flTray4::Release()
{
    delete m_work;
    delete m_background;
    m_work = m_background = nullptr;
    m_cover = m_mask = nullptr;
}

void flTray4::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_values[0] = m_values[1] = 0.0f;
    m_cover = items && count >= 1 ? BitmapCache::Get(items[0]) : nullptr;
    m_mask = items && count >= 2 ? BitmapCache::Get(items[1]) : nullptr;
    m_background = new Bitmap(GetWidth(), GetHeight());
    m_work = new Bitmap(GetWidth(), GetHeight());
    if (const Bitmap* backdrop = items && count >= 3 ? BitmapCache::Get(items[2]) : nullptr) {
        const Rect under = GetBounds();
        backdrop->CopyTo(m_background, 0, 0, &under);
    }
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
    m_background->CopyTo(m_work, 0, 0, nullptr);
    context->BeginBitmapDraw(m_work, -m_left, -m_top);
    View::Paint(context);
    context->EndBitmapDraw(m_work, -m_left, -m_top);
    if (m_cover)
        m_cover->CopyMasked(m_work, m_mask, 0, 0, nullptr, true);
    context->DrawBitmap(m_work, GetBounds(), nullptr);
}
