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

void flInvPPM::Paint(DrawContext* context)
{
    const int32_t height = m_bar ? m_bar->GetHeight() : 0;
    DrawBar(context, m_bar, 0, int32_t(float(height) * m_level));
}
