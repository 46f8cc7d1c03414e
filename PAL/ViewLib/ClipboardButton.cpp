#include "PAL/ViewLib/ClipboardButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/PanelClipboardRecord.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void ClipboardButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_pressedImage = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_normal = BackgroundPart(*this, count > 1 ? items[1] : nullptr);
    m_flavor = count > 2 ? PanelClipboardRecord::FlavorOf(items[2]) : 0;
}

void ClipboardButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_tracking = true;
    Invalidate();
}

void ClipboardButton::OnRelease(DrawContext* context)
{
    const bool acts = ReleaseActs(*this, context);
    // Popped up before acting: the set's observers may run for a while.
    m_tracking = false;
    Invalidate();
    ParameterSet* set = m_owner ? m_owner->GetSet() : nullptr;
    if (acts && set && m_flavor != 0 && context)
        Act(*set, context);
}

void ClipboardButton::Paint(DrawContext* context)
{
    // The tracking flag is the pressed look.
    if (!m_hidden && context)
        context->DrawBitmap(m_tracking && m_pressedImage ? m_pressedImage : m_normal.get(), GetBounds(), nullptr);
    m_dirty = false;
}

void ClipboardButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden)
        m_tracking = false;
    View::SetHidden(hidden, context);
}
