#include "CtrlPanel/CustomCueMixWindow.h"

#include "PAL/CustomCueMixPage.h"

CustomCueMixWindow::CustomCueMixWindow(int32_t base, PageController* target, wxWindow* parent,
                                       const wxString& title, long style)
    : CustomMixWindow(std::make_unique<CustomCueMixPage>(), base, target, parent, title, style)
{
}

CustomCueMixWindow::~CustomCueMixWindow() = default;

wxString CustomCueMixWindow::TitleFor(int32_t pair)
{
    return wxString::Format(" Custom Playback Mix for Outputs %d&%d", int(2 * pair + 1), int(2 * pair + 2));
}
