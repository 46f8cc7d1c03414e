#include "PAL/ViewLib/MixSelectButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlGeometry.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

namespace {

// Rows of travel of a cross, and the offset of its centre below the computed row.
constexpr double kDotTravel = 14.0;
constexpr int32_t kDotCentre = 5;

}  // namespace

MixSelectButton::MixSelectButton(const LayoutRecord* record, ControlPage* page, int32_t selectorSub)
    : View(record, page), m_selectorSub(selectorSub)
{
}

MixSelectButton::~MixSelectButton()
{
    Release();
}

void MixSelectButton::Release()
{
    delete m_base;
    delete m_work;
    m_base = nullptr;
    m_work = nullptr;
}

void MixSelectButton::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_pressed = false;
    m_work = new Bitmap(GetWidth(), GetHeight());
    m_base = new Bitmap(GetWidth(), GetHeight());
    if (count > 2)
        if (const Bitmap* backdrop = BitmapCache::Get(items[2])) {
            const Rect under = GetBounds();
            backdrop->CopyTo(m_base, 0, 0, &under);
        }
    if (count > 0)
        if (const Bitmap* image = BitmapCache::Get(items[0]))
            image->CopyTo(m_base, kMixScreenX, kMixScreenY, nullptr);
    m_pressedImage = count > 1 ? BitmapCache::Get(items[1]) : nullptr;
}

void MixSelectButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_pressed = true;
    m_tracking = true;
    Invalidate();
}

void MixSelectButton::OnValueChanged(int32_t sub)
{
    if (sub >= 0 && sub < kValueCount && m_owner)
        m_values[sub] = m_owner->GetValue(m_id, sub);
    Invalidate();
}

void MixSelectButton::OnRelease(DrawContext* context)
{
    int32_t x = 0, y = 0;
    if (context)
        context->GetMousePosition(x, y);
    const bool act = context && Contains(x, y) && IsVisibleInTree();
    m_pressed = false;
    m_tracking = false;
    Invalidate();
    if (!act)
        return;
    float& selector = m_values[m_selectorSub];
    selector = selector != 0.0f ? 0.0f : 1.0f;
    if (m_owner)
        m_owner->SetValue(m_id, m_selectorSub, selector);
}

void MixSelectButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && m_pressed) {
        m_pressed = false;
        m_tracking = false;
    }
    View::SetHidden(hidden, context);
}

int32_t MixSelectButton::DotRow(float level)
{
    return int32_t(double(1.0f - SanitiseUnit(level)) * kDotTravel);
}

void MixSelectButton::Paint(DrawContext* context)
{
    m_dirty = false;
    if (m_hidden || !context || !m_work)
        return;
    const Bitmap* face = m_pressed && m_pressedImage ? m_pressedImage : m_base;
    face->CopyTo(m_work, 0, 0, nullptr);
    Dot dots[kMaxDots];
    const int32_t count = GetDots(dots);
    for (int32_t i = 0; i < count && i < kMaxDots; ++i) {
        const int32_t x = dots[i].x, y = DotRow(dots[i].level) + kDotCentre;
        m_work->SetPixel(x - 1, y, 0);
        m_work->SetPixel(x, y + 1, 0);
        m_work->SetPixel(x, y, 0);
        m_work->SetPixel(x, y - 1, 0);
        m_work->SetPixel(x + 1, y, 0);
    }
    context->DrawBitmap(m_work, GetBounds(), nullptr);
}
