#include "PAL/ViewLib/HSlider.h"

#include <algorithm>

#include "PAL/DrawContext.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

HSlider::~HSlider()
{
    Release();
}

void HSlider::Release()
{
    delete m_thumb;
    delete m_track;
    delete m_image;
    m_thumb = nullptr;
    m_track = nullptr;
    m_image = nullptr;
    m_trackReady = false;
}

void HSlider::SetBitmaps(const char* const* items, int32_t count)
{
    Release();
    m_travel = 1;
    if (count != 1 || !items)
        return;
    const ResourceRecord* entry = ResourceArchive::Global().Find(items[0]);
    if (entry && entry->GetData()) {
        m_thumb = new Bitmap(entry->GetData(), entry->GetSize());
        if (!m_thumb->IsValid()) {
            delete m_thumb;
            m_thumb = nullptr;
        }
    }
    if (m_thumb)
        m_travel = int32_t(std::max<int64_t>(int64_t(GetWidth()) - m_thumb->GetWidth(), 1));
    // White, with the line across its middle, at the first paint.
    m_track = new Bitmap(GetWidth(), GetHeight());
    m_image = new Bitmap(GetWidth(), GetHeight());
}

void HSlider::OnMouseDown(int32_t, int32_t, int32_t, bool, DrawContext*)
{
    if (!m_hidden)
        m_tracking = true;
}

void HSlider::OnValueChanged(int32_t sub)
{
    if (sub != 0)
        return;
    m_value = m_owner ? m_owner->GetValue(m_id, 0) : 0.0f;
    Invalidate();
}

void HSlider::OnDrag(DrawContext* context)
{
    if (!m_thumb || !context)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    const double offset = double(x) - m_left - m_thumb->GetWidth() / 2;
    m_value = SanitiseUnit(float(offset / m_travel));
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    PaintAtOnce(context);
}

int32_t HSlider::GetThumbX() const
{
    return ClampIndex(float(m_travel) * SanitiseUnit(m_value), m_travel + 1);
}

void HSlider::Paint(DrawContext* context)
{
    if (m_thumb && m_track && m_image && m_image->IsValid() && context && !m_hidden) {
        if (!m_trackReady) {
            const int32_t middle = GetHeight() / 2;
            context->BeginBitmapDraw(m_track, 0, 0);
            context->EraseRect(m_track->GetRect());
            context->DrawLine(0, middle, GetWidth(), middle);
            context->EndBitmapDraw(m_track, 0, 0);
            m_trackReady = true;
        }
        m_track->CopyTo(m_image, 0, 0, nullptr);
        m_thumb->CopyTo(m_image, GetThumbX(), 0, nullptr);
        context->DrawBitmap(m_image, GetBounds(), nullptr);
    }
    m_dirty = false;
}
