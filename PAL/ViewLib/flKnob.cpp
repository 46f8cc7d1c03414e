#include "PAL/ViewLib/flKnob.h"

#include <cmath>
#include <cstdlib>

#include "PAL/BitmapCache.h"
#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/UnitValue.h"

flKnob::flKnob(const LayoutRecord* record, ControlPage* page) : View(record, page) {}

flKnob::~flKnob() = default;

void flKnob::ResetImages()
{
    m_capFrame.Reset(0, 0);
    m_capStrip = m_capMask = m_trackStrip = m_trackMask = nullptr;
    m_work.Reset(GetWidth(), GetHeight());
}

void flKnob::LoadStrips(const char* const* items)
{
    m_capStrip = BitmapCache::Get(items[0]);
    m_capMask = BitmapCache::Get(items[1]);
    m_trackStrip = BitmapCache::Get(items[2]);
    m_trackMask = BitmapCache::Get(items[3]);
    if (m_capMask)
        m_capFrame.Reset(m_capMask->GetWidth(), m_capMask->GetHeight());
}

void flKnob::CutBackground(const char* name, const Rect& rect)
{
    if (const Bitmap* backdrop = BitmapCache::Get(name))
        m_work.SetBackground(backdrop, rect);
}

void flKnob::SetBitmaps(const char* const* items, int32_t count)
{
    ResetImages();
    if (count != 5 || !items)
        return;
    LoadStrips(items);
    CutBackground(items[4], GetBounds());
}

void flKnob::OnMouseDown(int32_t x, int32_t y, int32_t, bool pressed, DrawContext*)
{
    if (!pressed)
        return;
    m_tracking = true;
    m_lastX = x;
    m_lastY = y;
}

void flKnob::OnValueChanged(int32_t sub)
{
    if (sub != 0 || !m_owner)
        return;
    m_value = m_owner->GetValue(m_id, 0);
    Invalidate();
}

float flKnob::Step(int32_t x, int32_t y, float scale)
{
    // 64-bit differences: pointer positions are any 32-bit values.
    const int64_t dx = int64_t(x) - m_lastX;
    const int64_t dy = int64_t(m_lastY) - y;  // upward is positive
    m_lastX = x;
    m_lastY = y;
    const int64_t move = std::llabs(dx) > std::llabs(dy) ? dx : dy;
    const float acc = scale * SanitiseUnit(m_value) + float(move);
    return SanitiseUnit(acc / scale);
}

void flKnob::Commit(DrawContext* context)
{
    if (m_owner)
        m_owner->SetValue(m_id, 0, m_value);
    PaintAtOnce(context);
}

void flKnob::OnDrag(DrawContext* context)
{
    if (!context)
        return;
    int32_t x = 0, y = 0;
    context->GetMousePosition(x, y);
    if (x == m_lastX && y == m_lastY)
        return;
    m_value = Step(x, y, context->IsShiftDown() ? kFineScale : kScale);
    Commit(context);
}

int32_t flKnob::FrameOf(float value)
{
    const float a = 270.0f * SanitiseUnit(value) - 135.0f;
    if (std::fabs(a) < 2.5f)
        return 14;
    if (std::fabs(a) < 10.0f)
        return a >= 0.0f ? 15 : 13;
    const int32_t t =
        a > 0.0f ? 16 + int32_t((a - 10.0f) * 12.0f / 120.0f) : 12 - int32_t((-a - 10.0f) * 12.0f / 120.0f);
    return t < 0 ? 0 : t > kKnobFrames - 1 ? kKnobFrames - 1 : t;
}

void flKnob::Compose(DrawContext* context, const Bitmap* caps)
{
    if (!context || m_hidden || !caps || !m_capMask || !m_trackStrip || !m_trackMask)
        return;
    Bitmap* capFrame = m_capFrame.Get();
    Bitmap* work = capFrame ? m_work.Begin() : nullptr;
    if (!work)
        return;
    const int32_t t = FrameOf(m_value);
    const Rect cap = {kCapPitch * t, kCapPitch * t + kCapSize, 0, caps->GetHeight()};
    caps->CopyTo(capFrame, 0, 0, &cap);
    const Rect track = {kTrackPitch * t, kTrackPitch * t + kTrackSize, 0, m_trackStrip->GetHeight()};
    m_trackStrip->CopyMasked(work, m_trackMask, 0, 0, &track, true);
    capFrame->CopyMasked(work, m_capMask, kCapOffset, kCapOffset, nullptr, true);
    context->DrawBitmap(work, GetBounds(), nullptr);
}

void flKnob::Paint(DrawContext* context)
{
    Compose(context, m_capStrip);
    m_dirty = false;
}
