#include "PAL/ViewLib/flTray3.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

flTray3::flTray3(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flTray3::~flTray3()
{
    Release();
}

void flTray3::Release()
{
    delete m_work;
    delete m_background;
    m_work = m_background = nullptr;
    m_cover = m_mask = nullptr;
}

void flTray3::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_cover = items && count >= 1 ? BitmapCache::Get(items[0]) : nullptr;
    m_mask = items && count >= 2 ? BitmapCache::Get(items[1]) : nullptr;
    m_background = new Bitmap(GetWidth(), GetHeight());
    m_work = new Bitmap(GetWidth(), GetHeight());
    if (const Bitmap* backdrop = items && count >= 3 ? BitmapCache::Get(items[2]) : nullptr) {
        const Rect under = GetBounds();
        backdrop->CopyTo(m_background, 0, 0, &under);
    }
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
    m_background->CopyTo(m_work, 0, 0, nullptr);
    context->BeginBitmapDraw(m_work, -m_left, -m_top);
    View::Paint(context);
    context->EndBitmapDraw(m_work, -m_left, -m_top);
    m_work->CopyTo(m_work, kSecondColumn, kFirstColumn.top, &kFirstColumn);
    if (m_cover)
        m_cover->CopyMasked(m_work, m_mask, kSecondColumn, 0, nullptr, true);
    context->DrawBitmap(m_work, GetBounds(), nullptr);
}
