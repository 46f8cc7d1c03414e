#include "PAL/ViewLib/flPasteButton.h"

#include <vector>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/PanelClipboardRecord.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flPasteButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_pressedImage = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_normal = BackgroundPart(*this, count > 1 ? items[1] : nullptr);
    m_flavor = count > 2 ? PanelClipboardRecord::FlavorOf(items[2]) : 0;
}

void flPasteButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_tracking = true;
    Invalidate();
}

void flPasteButton::OnRelease(DrawContext* context)
{
    const bool acts = ReleaseActs(*this, context);
    // Popped up before the paste: the observers of the set may run for a while.
    m_tracking = false;
    Invalidate();
    if (acts)
        Paste(context);
}

void flPasteButton::Paste(DrawContext* context)
{
    ParameterSet* set = m_owner ? m_owner->GetSet() : nullptr;
    if (!set || m_flavor == 0)
        return;
    const uint32_t count = uint32_t(set->GetParameterCount());
    const uint32_t size = context->GetClipboardSize(m_flavor);
    if (size != PanelClipboardRecord::SizeFor(count))
        return;
    std::vector<uint8_t> buffer(size);
    const uint32_t got = context->GetClipboard(buffer.data(), size, m_flavor);
    if (const auto record = PanelClipboardRecord::Parse(buffer.data(), got, m_flavor, count))
        record->ApplyTo(*set);
}

void flPasteButton::Paint(DrawContext* context)
{
    // The tracking flag is the pressed look.
    if (!m_hidden && context)
        context->DrawBitmap(m_tracking && m_pressedImage ? m_pressedImage : m_normal.get(), GetBounds(), nullptr);
    m_dirty = false;
}

void flPasteButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden)
        m_tracking = false;
    View::SetHidden(hidden, context);
}
