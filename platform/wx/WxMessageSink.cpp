#include "platform/wx/WxMessageSink.h"

#include <wx/msgdlg.h>

WxMessageSink::WxMessageSink(std::function<wxWindow*()> parent) : m_parent(std::move(parent)) {}

MessageAnswer WxMessageSink::ShowMessage(const std::string& text, const std::string& caption, uint32_t style)
{
    long flags = 0;
    flags |= (style & MessageStyle::Ok) ? wxOK : 0;
    flags |= (style & MessageStyle::YesNo) ? wxYES_NO : 0;
    flags |= (style & MessageStyle::Cancel) ? wxCANCEL : 0;
    flags |= (style & MessageStyle::NoDefault) ? wxNO_DEFAULT : 0;
    flags |= (style & MessageStyle::IconError) ? wxICON_ERROR : 0;
    flags |= (style & MessageStyle::IconWarning) ? wxICON_WARNING : 0;
    flags |= (style & MessageStyle::IconInformation) ? wxICON_INFORMATION : 0;
    flags |= (style & MessageStyle::IconQuestion) ? wxICON_QUESTION : 0;
    flags |= (style & MessageStyle::Centre) ? wxCENTRE : 0;
    if (!(flags & (wxOK | wxYES_NO)))
        flags |= wxOK;
    wxWindow* parent = m_parent ? m_parent() : nullptr;
    switch (wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), flags, parent)) {
    case wxYES:
        return MessageAnswer::Yes;
    case wxNO:
        return MessageAnswer::No;
    case wxCANCEL:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}
