#include "PAL/ViewLib/TrayCover.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

TrayCover::~TrayCover()
{
    Release();
}

void TrayCover::Release()
{
    m_work.Reset(0, 0);
    m_cover = m_mask = nullptr;
}

void TrayCover::Load(const char* const* items, int32_t count, const Rect& bounds)
{
    Release();
    m_cover = items && count >= 1 ? BitmapCache::Get(items[0]) : nullptr;
    m_mask = items && count >= 2 ? BitmapCache::Get(items[1]) : nullptr;
    m_work.Reset(bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (const Bitmap* backdrop = items && count >= 3 ? BitmapCache::Get(items[2]) : nullptr)
        m_work.SetBackground(backdrop, bounds);
}

void TrayCover::BeginChildren(DrawContext* context, const Rect& bounds)
{
    context->BeginBitmapDraw(m_work.Begin(), -bounds.left, -bounds.top);
}

void TrayCover::EndChildren(DrawContext* context, const Rect& bounds)
{
    context->EndBitmapDraw(m_work.Get(), -bounds.left, -bounds.top);
}

void TrayCover::Show(DrawContext* context, const Rect& bounds, int32_t x)
{
    Bitmap* work = m_work.Get();
    if (m_cover && work)
        m_cover->CopyMasked(work, m_mask, x, 0, nullptr, true);
    if (work)
        context->DrawBitmap(work, bounds, nullptr);
}
