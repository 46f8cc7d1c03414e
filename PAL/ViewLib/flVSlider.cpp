#include "PAL/ViewLib/flVSlider.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

flVSlider::flVSlider(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flVSlider::~flVSlider()
{
    Release();
}

void flVSlider::Release()
{
    m_work.Reset(0, 0);
    m_handle = m_handleMask = m_trayMask = nullptr;
}

void flVSlider::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_value = 0.0f;
    m_travel = 0;
    if (count != 4 || !items)
        return;
    m_handle = BitmapCache::Get(items[0]);
    m_handleMask = BitmapCache::Get(items[1]);
    m_trayMask = BitmapCache::Get(items[2]);
    if (m_handle)
        m_travel = kFaderTravel;
    if (m_travel <= 0)
        m_travel = 1;
    m_work.Reset(GetWidth(), GetHeight());
    if (const Bitmap* backdrop = BitmapCache::Get(items[3]))
        m_work.SetBackground(backdrop, GetBounds());
}

void flVSlider::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    m_tracking = pressed;
}

void flVSlider::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

int32_t flVSlider::HandleTop(float value) const
{
    return int32_t((1.0f - SanitiseUnit(value)) * float(m_travel)) + kFaderTop;
}

void flVSlider::Paint(DrawContext* context)
{
    Bitmap* work = context && !m_hidden && m_handle && m_handleMask && m_work.HasBackground() ? m_work.Begin() : nullptr;
    if (work) {
        m_handle->CopyMasked(work, m_handleMask, 0, HandleTop(m_value), nullptr, true);
        context->DrawBitmap(work, GetBounds(), nullptr);
    }
    m_dirty = false;
}

void flVSlider::OnDrag(DrawContext* context)
{
    if (!context || !m_handle || m_travel < 1)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    const int64_t pos = int64_t(y) - m_top - m_handle->GetHeight() / 2;
    m_value = SanitiseUnit(1.0f - float(pos) / float(m_travel));
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    PaintAtOnce(context);
}
