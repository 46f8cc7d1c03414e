#include "PAL/ViewLib/flHPushButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flHPushButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_pressedImage = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_normalImage = count > 1 ? BitmapCache::Get(items[1]) : nullptr;
    m_modeDigit = count > 2 ? DigitArgument(items[2]) : 0;
    m_pressed = false;
    m_value = 1.0f;
}

void flHPushButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_pressed = true;
    m_tracking = true;
    Invalidate();
}

void flHPushButton::OnValueChanged(int32_t sub)
{
    if (!m_owner)
        return;
    if (sub == 0) {
        m_value = m_owner->GetValue(m_id, 0);
        Invalidate();
    } else if (sub == 1) {
        // NaN equals no digit: the button hides.
        const bool shown = m_owner->GetValue(m_id, 1) == float(m_modeDigit);
        SetHidden(!shown, m_owner->GetContext());
    }
}

void flHPushButton::OnRelease(DrawContext* context)
{
    const bool acts = ReleaseActs(*this, context);
    // Popped up before the write: a listener may run a modal loop inside it.
    m_pressed = false;
    m_tracking = false;
    Invalidate();
    if (acts && m_owner) {
        m_value = Toggled(m_value);
        m_owner->SetValue(m_id, 0, m_value);
    }
}

void flHPushButton::Paint(DrawContext* context)
{
    Bitmap* image = m_pressed && m_pressedImage ? m_pressedImage : m_normalImage;
    if (!m_hidden && context && image)
        context->DrawBitmap(image, GetBounds(), nullptr);
    m_dirty = false;
}

void flHPushButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden) {
        m_pressed = false;
        m_tracking = false;
    }
    View::SetHidden(hidden, context);
}
