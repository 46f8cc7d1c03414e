#include "PAL/ViewLib/flFXPushButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flFXPushButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_pressed = false;
    m_work = std::make_unique<Bitmap>(GetWidth(), GetHeight());
    for (int32_t i = 0; i < 2 * kFaces; ++i)
        m_images[i] = i < count ? BitmapCache::Get(items[i]) : nullptr;
    m_slot = count > 2 * kFaces ? DigitArgument(items[2 * kFaces]) : 0;
}

void flFXPushButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_pressed = true;
    m_tracking = true;
    Invalidate();
}

void flFXPushButton::OnValueChanged(int32_t sub)
{
    if (m_owner && sub >= 0 && sub < 3)
        m_values[sub] = m_owner->GetValue(m_id, sub);
    Invalidate();
}

void flFXPushButton::OnRelease(DrawContext* context)
{
    const bool acts = ReleaseActs(*this, context);
    // Popped up before the write: a listener may run a modal loop inside it.
    m_pressed = false;
    m_tracking = false;
    Invalidate();
    if (acts && m_owner) {
        m_values[0] = Toggled(m_values[0]);
        m_owner->SetValue(m_id, 0, m_values[0]);
    }
}

int32_t flFXPushButton::ChooseImage() const
{
    int32_t face;
    if (float(m_slot) != Comparable(m_values[1]))
        face = Compressor;
    else if (IsOn(m_values[2]))
        face = m_slot == 0 ? Amp1 : Amp2;
    else
        face = m_slot == 0 ? Eq1 : Eq2;
    return m_pressed ? face + kPressed : face;
}

void flFXPushButton::Paint(DrawContext* context)
{
    if (!m_hidden && context && m_work) {
        // A missing image leaves the work image as it was.
        if (const Bitmap* image = m_images[ChooseImage()])
            image->CopyTo(m_work.get(), 0, 0, nullptr);
        context->DrawBitmap(m_work.get(), GetBounds(), nullptr);
    }
    m_dirty = false;
}

void flFXPushButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden) {
        m_pressed = false;
        m_tracking = false;
    }
    View::SetHidden(hidden, context);
}
