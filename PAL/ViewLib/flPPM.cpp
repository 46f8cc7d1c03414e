#include "PAL/ViewLib/flPPM.h"

#include <algorithm>
#include <cmath>

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/UnitValue.h"

namespace {

// The largest float below 1.0: a level this high counts as full scale.
constexpr float kFullScale = 0.99999994f;
// 0.9 to this power is below 1e-9: no bar shows anything after so many ticks.
constexpr int32_t kMaxFallBackTicks = 200;

}  // namespace

flPPM::flPPM(const LayoutRecord* record, ControlPage* page) : LevelMeter(record, page) {}

void flPPM::SetBitmaps(const char* const* items, int32_t count)
{
    LevelMeter::SetBitmaps(items, count);
    m_level = 0.0f;
    m_clipHold = 0;
    m_ticksSincePush = 0;
    m_clipBar = count > 2 ? BitmapCache::Get(items[2]) : nullptr;
}

float flPPM::DisplayLevel(float value)
{
    const float magnitude = SanitiseUnit(std::fabs(value));
    return std::max(0.0f, (std::sqrt(magnitude) - 0.1f) / 0.9f);
}

void flPPM::SetLevel(float value)
{
    for (; m_ticksSincePush > 0; --m_ticksSincePush)
        m_level *= kFallBack;
    m_level = std::max(m_level, DisplayLevel(value));
    if (m_level >= kFullScale) {
        m_level = std::min(m_level, 1.0f);
        m_clipHold = kClipTicks;
    }
    m_changed = true;
}

void flPPM::Broadcast(DrawContext* context)
{
    if (m_clipHold > 0)
        --m_clipHold;
    m_ticksSincePush = std::min(m_ticksSincePush + 1, kMaxFallBackTicks);
    LevelMeter::Broadcast(context);
}

void flPPM::GetBarState(const Bitmap*& bar, int32_t& top, int32_t& bottom) const
{
    const int32_t height = m_bar ? m_bar->GetHeight() : 0;
    bar = m_bar ? (m_clipHold > 0 && m_clipBar ? m_clipBar : m_bar) : nullptr;
    top = height - int32_t(float(height) * m_level);
    bottom = height;
}
