#include "PAL/ViewLib/TrayCover.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

TrayCover::~TrayCover()
{
    Release();
}

void TrayCover::Release()
{
    delete m_work;
    delete m_background;
    m_work = m_background = nullptr;
    m_cover = m_mask = nullptr;
}

void TrayCover::Load(const char* const* items, int32_t count, const Rect& bounds)
{
    Release();
    m_cover = items && count >= 1 ? BitmapCache::Get(items[0]) : nullptr;
    m_mask = items && count >= 2 ? BitmapCache::Get(items[1]) : nullptr;
    m_background = new Bitmap(bounds.right - bounds.left, bounds.bottom - bounds.top);
    m_work = new Bitmap(bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (const Bitmap* backdrop = items && count >= 3 ? BitmapCache::Get(items[2]) : nullptr)
        backdrop->CopyTo(m_background, 0, 0, &bounds);
}

void TrayCover::BeginChildren(DrawContext* context, const Rect& bounds)
{
    if (m_background)
        m_background->CopyTo(m_work, 0, 0, nullptr);
    context->BeginBitmapDraw(m_work, -bounds.left, -bounds.top);
}

void TrayCover::EndChildren(DrawContext* context, const Rect& bounds)
{
    context->EndBitmapDraw(m_work, -bounds.left, -bounds.top);
}

void TrayCover::Show(DrawContext* context, const Rect& bounds, int32_t x)
{
    if (m_cover)
        m_cover->CopyMasked(m_work, m_mask, x, 0, nullptr, true);
    if (m_work)
        context->DrawBitmap(m_work, bounds, nullptr);
}
