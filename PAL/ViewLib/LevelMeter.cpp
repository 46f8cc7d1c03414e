#include "PAL/ViewLib/LevelMeter.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"

LevelMeter::LevelMeter(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

LevelMeter::~LevelMeter()
{
    Release();
}

void LevelMeter::Release()
{
    delete m_background;
    delete m_work;
    m_background = nullptr;
    m_work = nullptr;
}

void LevelMeter::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_changed = true;
    m_bar = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_background = new Bitmap(GetWidth(), GetHeight());
    m_work = new Bitmap(GetWidth(), GetHeight());
    if (count > 1)
        if (const Bitmap* backdrop = BitmapCache::Get(items[1])) {
            const Rect under = GetBounds();
            backdrop->CopyTo(m_background, 0, 0, &under);
        }
}

void LevelMeter::Broadcast(DrawContext* context)
{
    if (m_changed && IsVisibleInTree()) {
        const Bitmap* bar = nullptr;
        int32_t top = 0, bottom = 0;
        GetBarState(bar, top, bottom);
        if (m_dirty || bar != m_drawnBar || top != m_drawnTop || bottom != m_drawnBottom)
            PaintAtOnce(context);
    }
    m_changed = false;
}

void LevelMeter::Paint(DrawContext* context)
{
    const Bitmap* bar = nullptr;
    int32_t top = 0, bottom = 0;
    GetBarState(bar, top, bottom);
    DrawBar(context, bar, top, bottom);
}

void LevelMeter::DrawBar(DrawContext* context, const Bitmap* bar, int32_t top, int32_t bottom)
{
    m_dirty = false;
    if (m_hidden || !m_work || !context)
        return;
    // A clip that cuts the meter leaves part of the old bar on screen: the next tick draws it whole.
    const bool whole = context->IsWhollyInClip(GetBounds());
    m_drawnBar = whole ? bar : nullptr;
    m_drawnTop = whole ? top : 1;
    m_drawnBottom = whole ? bottom : 0;
    m_background->CopyTo(m_work, 0, 0, nullptr);
    if (bar && top < bottom) {
        const Rect lit = {0, bar->GetWidth(), top, bottom};
        bar->CopyTo(m_work, 0, top, &lit);
    }
    context->DrawBitmap(m_work, GetBounds(), nullptr);
}
