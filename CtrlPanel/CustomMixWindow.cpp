#include "CtrlPanel/CustomMixWindow.h"

#include "PAL/CustomMixPage.h"

CustomMixWindow::CustomMixWindow(int32_t base, PageController* target, wxWindow* parent, const wxString& title,
                                 long style)
    : CustomMixWindow(std::make_unique<CustomMixPage>(), base, target, parent, title, style)
{
}

CustomMixWindow::CustomMixWindow(std::unique_ptr<PageController> own, int32_t base, PageController* target,
                                 wxWindow* parent, const wxString& title, long style)
    : SkinWindow(parent, wxID_ANY, title, style, nullptr, 0), m_own(std::move(own))
{
    StartForwarding(m_own.get(), base, target);
    SetView(m_own->GetPage());
}

CustomMixWindow::~CustomMixWindow()
{
    StopForwarding();
    SetView(nullptr);
    m_own.reset();
}

wxString CustomMixWindow::TitleFor(int32_t pair)
{
    return wxString::Format(" Custom Input Mix for Outputs %d&%d", int(2 * pair + 1), int(2 * pair + 2));
}
