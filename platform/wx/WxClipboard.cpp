#include "platform/wx/WxClipboard.h"

#include <algorithm>
#include <cstring>

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/module.h>

namespace {

// Reads the record of flavor, if any, into object. The clipboard must not be held open by anyone else.
bool Fetch(wxCustomDataObject& object)
{
    wxClipboard* clipboard = wxTheClipboard;
    if (!clipboard || !clipboard->Open())
        return false;
    const bool found = clipboard->IsSupported(object.GetFormat()) && clipboard->GetData(object);
    clipboard->Close();
    return found;
}

}  // namespace

WxClipboard& WxClipboard::Instance()
{
    static WxClipboard clipboard;
    return clipboard;
}

wxDataFormat WxClipboard::FormatOf(uint32_t flavor)
{
    return wxDataFormat(wxString::Format("application/x-velbrincontrol-%08x", unsigned(flavor)));
}

void WxClipboard::Put(const void* data, uint32_t size, uint32_t flavor)
{
    wxClipboard* clipboard = wxTheClipboard;
    if (!clipboard || (!data && size > 0) || !clipboard->Open())
        return;
    auto* object = new wxCustomDataObject(FormatOf(flavor));
    object->SetData(size, data);
    if (clipboard->SetData(object))  // the clipboard owns the object from here on
        m_putAny = true;
    clipboard->Close();
}

uint32_t WxClipboard::GetSize(uint32_t flavor)
{
    wxCustomDataObject object(FormatOf(flavor));
    return Fetch(object) ? uint32_t(object.GetSize()) : 0;
}

uint32_t WxClipboard::Get(void* buffer, uint32_t capacity, uint32_t flavor)
{
    wxCustomDataObject object(FormatOf(flavor));
    if (!buffer || !Fetch(object))
        return 0;
    const uint32_t n = uint32_t(std::min<size_t>(capacity, object.GetSize()));
    if (n > 0)
        std::memcpy(buffer, object.GetData(), n);
    return n;
}

void WxClipboard::FlushAtExit()
{
    if (m_putAny && wxTheClipboard)
        wxTheClipboard->Flush();
    m_putAny = false;
}

// Flushes the program's record while wx shuts down, before the clipboard itself is destroyed.
class WxClipboardExitFlush : public wxModule {
public:
    WxClipboardExitFlush() { AddDependency("wxClipboardModule"); }
    bool OnInit() override { return true; }
    void OnExit() override { WxClipboard::Instance().FlushAtExit(); }

private:
    wxDECLARE_DYNAMIC_CLASS(WxClipboardExitFlush);
};

wxIMPLEMENT_DYNAMIC_CLASS(WxClipboardExitFlush, wxModule);
