#include "PAL/ViewLib/Slider.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

void Slider::SetBitmaps(const char* const* items, int32_t count)
{
    m_bitmap = count == 1 && items ? BitmapCache::Get(items[0]) : nullptr;
}

void Slider::OnMouseDown(int32_t, int32_t, int32_t, bool, DrawContext*)
{
    if (!m_hidden)
        m_tracking = true;
}

void Slider::OnValueChanged(int32_t sub)
{
    if (sub != 0)
        return;
    m_value = m_owner ? m_owner->GetValue(m_id, 0) : 0.0f;
    Invalidate();
}

void Slider::OnDrag(DrawContext* context)
{
    if (!context)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    const int64_t height = int64_t(m_bottom) - m_top;
    // A slider without height has no travel: above its line is the top, anything else the bottom.
    const double value = height > 0 ? (double(y) - m_top) / double(height) : (y > m_top ? 1.0 : 0.0);
    m_value = SanitiseUnit(float(value));
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    PaintAtOnce(context);
}

int32_t Slider::GetLineY() const
{
    const double value = SanitiseUnit(m_value);
    const double y = double(m_top) * (1.0 - value) + double(m_bottom) * value;
    const int32_t low = m_top < m_bottom ? m_top : m_bottom;
    const int32_t high = m_top < m_bottom ? m_bottom : m_top;
    if (y <= low)
        return low;
    if (y >= high)
        return high;
    return int32_t(y);
}

void Slider::Paint(DrawContext* context)
{
    if (context && !m_hidden) {
        const Rect bounds = GetBounds();
        if (m_bitmap)
            context->DrawBitmap(m_bitmap, bounds, nullptr);
        m_centreX = int32_t((int64_t(m_left) + m_right) / 2);
        const int32_t y = GetLineY();
        context->DrawLine(m_centreX, m_top, m_centreX, m_bottom);
        context->DrawLine(m_left, y, m_right, y);
    }
    m_dirty = false;
}
