#include "PAL/ViewLib/flTray2.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"

flTray2::flTray2(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flTray2::~flTray2()
{
    Release();
}

void flTray2::Release()
{
    if (m_ownsImage)
        delete m_image;
    m_image = nullptr;
    m_ownsImage = false;
}

void flTray2::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    // A missing digit counts as mode 0.
    m_mode = items && count >= 2 && items[1][0] ? items[1][0] - '0' : 0;
    if (!items || count < 1)
        return;
    Bitmap* source = BitmapCache::Get(items[0]);
    if (m_mode != 0) {
        m_image = source;
        return;
    }
    m_image = new Bitmap(GetWidth(), GetHeight());
    m_ownsImage = true;
    if (source) {
        const Rect under = GetBounds();
        source->CopyTo(m_image, 0, 0, &under);
    }
}

void flTray2::OnValueChanged(int32_t sub)
{
    if (!m_owner)
        return;
    if (sub == 0)
        m_value = m_owner->GetValue(m_id, 0);
    SetHidden(m_value != float(m_mode), m_owner->GetContext());
    Invalidate();
}

void flTray2::Paint(DrawContext* context)
{
    if (m_hidden) {
        m_dirty = false;
        return;
    }
    if (context && m_image)
        context->DrawBitmap(m_image, GetBounds(), nullptr);
    View::Paint(context);
}
