#include "PAL/ViewLib/flHSlider.h"

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

namespace {

// The leading decimal digits of text (held to 1..kMaxStep; none gives 1).
int32_t ParseStep(const char* text)
{
    int32_t step = 0;
    for (const char* p = text; p && *p >= '0' && *p <= '9'; ++p)
        step = step >= flHSlider::kMaxStep ? flHSlider::kMaxStep : step * 10 + (*p - '0');
    return step < 1 ? 1 : step > flHSlider::kMaxStep ? flHSlider::kMaxStep : step;
}

}  // namespace

flHSlider::flHSlider(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flHSlider::~flHSlider()
{
    Release();
}

void flHSlider::Release()
{
    m_work.Reset(0, 0);
    m_layer.Reset(0, 0);
    m_handle = m_handleMask = m_trayMask = nullptr;
}

void flHSlider::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_value = 0.0f;
    m_travel = 0;
    m_step = 1;
    if (count <= 3 || !items)
        return;
    m_handle = BitmapCache::Get(items[0]);
    m_handleMask = BitmapCache::Get(items[1]);
    m_trayMask = BitmapCache::Get(items[2]);
    if (m_handle)
        m_travel = GetWidth() - m_handle->GetWidth() - 3;
    if (m_travel <= 0)
        m_travel = 1;
    m_work.Reset(GetWidth(), GetHeight());
    m_layer.Reset(GetWidth(), GetHeight());
    const Bitmap* backdrop = BitmapCache::Get(items[3]);
    if (!backdrop)
        return;
    m_work.SetBackground(backdrop, GetBounds());
    m_layer.SetBackground(backdrop, GetBounds());
    if (count == 5)
        m_step = ParseStep(items[4]);
}

void flHSlider::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    m_tracking = pressed;
}

void flHSlider::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

int32_t flHSlider::HandleLeft(float value) const
{
    const int32_t k = int32_t((float(m_travel) * SanitiseUnit(value) + float(m_step / 2)) / float(m_step));
    return m_step * k;
}

void flHSlider::Paint(DrawContext* context)
{
    const bool ready = context && !m_hidden && m_handle && m_handleMask && m_work.HasBackground();
    Bitmap* work = ready ? m_work.Begin() : nullptr;
    Bitmap* layer = work ? m_layer.Begin() : nullptr;
    if (layer) {
        m_handle->CopyMasked(layer, m_handleMask, HandleLeft(m_value) + 1, 0, nullptr, true);
        // A mask of another size than the control would hide the handle entirely.
        if (m_trayMask && m_trayMask->GetWidth() == GetWidth() && m_trayMask->GetHeight() == GetHeight())
            layer->CopyMasked(work, m_trayMask, 0, 0, nullptr, true);
        else
            layer->CopyTo(work, 0, 0, nullptr);
        context->DrawBitmap(work, GetBounds(), nullptr);
    }
    m_dirty = false;
}

void flHSlider::OnDrag(DrawContext* context)
{
    if (!context || !m_handle)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    // 64-bit: the pointer may be anywhere.
    const int64_t left = int64_t(x) - m_left - m_handle->GetWidth() / 2;
    const int64_t p = ((left + m_step / 2) / m_step) * m_step;
    m_value = SanitiseUnit(float(p) / float(m_travel));
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    Invalidate();
}
