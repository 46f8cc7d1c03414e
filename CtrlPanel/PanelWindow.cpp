#include "CtrlPanel/PanelWindow.h"

#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/ResourceArchive.h"

PanelWindow::PanelWindow(const ResourceArchive* archive, wxWindow* parent, const wxString& title, long style)
    : SkinWindow(parent, wxID_ANY, title, style, nullptr, 0)
{
    if (!archive)
        return;
    ArchiveSource source;
    source.kind = ArchiveSource::Shared;
    source.shared = archive;
    m_panel = std::make_unique<SampleRatePanel>(source);
    SetView(m_panel->GetPage());
}

PanelWindow::~PanelWindow()
{
    SetView(nullptr);
    m_panel.reset();
}

void PanelWindow::OnTick()
{
    if (m_panel && IsShown())
        m_panel->Idle();
}
