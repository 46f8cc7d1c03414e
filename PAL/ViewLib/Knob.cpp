#include "PAL/ViewLib/Knob.h"

#include <cmath>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

void Knob::SetBitmaps(const char* const* items, int32_t count)
{
    m_strip = nullptr;
    m_frameCount = 0;
    m_frameWidth = GetWidth();
    m_centreX = int32_t((int64_t(m_left) + m_right) / 2);
    m_centreY = int32_t((int64_t(m_top) + m_bottom) / 2);
    if (count != 1 || !items)
        return;
    m_strip = BitmapCache::Get(items[0]);
    // A control without width has no frames to cut.
    if (m_strip && m_frameWidth > 0)
        m_frameCount = m_strip->GetWidth() / m_frameWidth;
}

void Knob::OnMouseDown(int32_t, int32_t, int32_t, bool, DrawContext*)
{
    if (!m_hidden)
        m_tracking = true;
}

void Knob::OnValueChanged(int32_t sub)
{
    if (sub != 0)
        return;
    m_value = m_owner ? m_owner->GetValue(m_id, 0) : 0.0f;
    Invalidate();
}

float Knob::AngleValue(int32_t cx, int32_t cy, int32_t x, int32_t y)
{
    const double turn = std::atan2(double(cx) - x, double(y) - cy) / kTwoPi;
    return SanitiseUnit(float(turn < 0.0 ? turn + 1.0 : turn));
}

void Knob::OnDrag(DrawContext* context)
{
    if (!context)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    m_value = AngleValue(m_centreX, m_centreY, x, y);
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    PaintAtOnce(context);
}

int32_t Knob::GetFrame() const
{
    return ClampIndex(float(m_frameCount) * SanitiseUnit(m_value), m_frameCount);
}

void Knob::Paint(DrawContext* context)
{
    if (m_strip && m_frameCount > 0 && context && !m_hidden) {
        const BitmapOffset from = {GetFrame() * m_frameWidth, 0};
        context->DrawBitmap(m_strip, GetBounds(), &from);
    }
    m_dirty = false;
}
