#include "PAL/ViewLib/flInvPPM.h"

#include "PAL/ViewLib/UnitValue.h"

flInvPPM::flInvPPM(const LayoutRecord* record, ControlPage* page) : LevelMeter(record, page) {}

void flInvPPM::SetBitmaps(const char* const* items, int32_t count)
{
    LevelMeter::SetBitmaps(items, count);
    m_level = 0.0f;
}

void flInvPPM::SetLevel(float value)
{
    m_level = SanitiseUnit(value);
    m_changed = true;
}

void flInvPPM::GetBarState(const Bitmap*& bar, int32_t& top, int32_t& bottom) const
{
    const int32_t height = m_bar ? m_bar->GetHeight() : 0;
    bar = m_bar;
    top = 0;
    bottom = int32_t(float(height) * m_level);
}
