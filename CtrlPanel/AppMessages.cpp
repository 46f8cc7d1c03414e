#include "CtrlPanel/AppMessages.h"

#include <cstdio>

#include <wx/thread.h>
#include <wx/utils.h>

AppMessages::AppMessages(MessageSink& inner) : m_inner(&inner) {}

MessageAnswer AppMessages::ShowMessage(const std::string& text, const std::string& caption, uint32_t style)
{
    ++m_showing;
    const MessageAnswer answer = m_inner->ShowMessage(text, caption, style);
    --m_showing;
    return answer;
}

void AppMessages::ShowMessage(const std::string& message, const std::string& caption)
{
    const std::string title = caption.empty() ? kDefaultCaption : caption;
    if (!wxIsMainThread()) {
        fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
        return;
    }
    ShowMessage(message, title, MessageStyle::Ok | MessageStyle::Centre);
}

void AppMessages::BeginBusy()
{
    if (!wxIsMainThread())
        return;
    ++m_busy;
    wxBeginBusyCursor();
}

void AppMessages::EndBusy()
{
    if (!wxIsMainThread() || m_busy == 0)
        return;
    --m_busy;
    wxEndBusyCursor();
}
