#include "tools/viewer/MeterWindow.h"

#include "PAL/MeterPage.h"

MeterWindow::MeterWindow(MeterPage* page, MeterGroups* groups, const MeterLevels* levels, const wxString& title,
                         const wxPoint& place)
    : SkinWindow(nullptr, wxID_ANY, title, wxDEFAULT_FRAME_STYLE, groups, 1, place), m_page(page), m_levels(levels)
{
    SetView(page);
}

MeterWindow::~MeterWindow()
{
    SetView(nullptr);
}

void MeterWindow::OnTick()
{
    m_page->SetMeterLevels(m_levels);
}
