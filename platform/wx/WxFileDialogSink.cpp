#include "platform/wx/WxFileDialogSink.h"

#include <wx/filedlg.h>

WxFileDialogSink::WxFileDialogSink(std::function<wxWindow*()> parent) : m_parent(std::move(parent)) {}

bool WxFileDialogSink::AskPath(const FileDialogRequest& request, std::string& path)
{
    long style = request.kind == FileDialogRequest::Save ? wxFD_SAVE : wxFD_OPEN;
    if (request.kind == FileDialogRequest::Save && request.overwritePrompt)
        style |= wxFD_OVERWRITE_PROMPT;
    wxFileDialog dialog(m_parent ? m_parent() : nullptr, wxString::FromUTF8(request.message),
                        wxString::FromUTF8(request.defaultDir), wxString::FromUTF8(request.defaultFile),
                        wxString::FromUTF8(request.wildcard), style);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    path = dialog.GetPath().utf8_string();
    return true;
}
