#include "PAL/ViewLib/flPushButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flPushButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_normal = BackgroundPart(*this, count > 1 ? items[1] : nullptr);
    m_pressedImage = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
}

void flPushButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_pressed = true;
    m_tracking = true;
    Invalidate();
}

void flPushButton::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

void flPushButton::OnRelease(DrawContext* context)
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

void flPushButton::Paint(DrawContext* context)
{
    Bitmap* image = m_pressed && m_pressedImage ? m_pressedImage : NormalImage();
    if (!m_hidden && context && image)
        context->DrawBitmap(image, GetBounds(), nullptr);
    m_dirty = false;
}

void flPushButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden) {
        m_pressed = false;
        m_tracking = false;
    }
    View::SetHidden(hidden, context);
}
