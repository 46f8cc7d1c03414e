#include "platform/wx/DialogSinks.h"

#include "platform/ScriptedDialogs.h"
#include "platform/wx/ModalDialogs.h"
#include "platform/wx/WxFileDialogSink.h"
#include "platform/wx/WxMessageSink.h"

DialogSinks::DialogSinks(std::function<wxWindow*()> parent)
    : m_modal(std::make_unique<ModalDialogs>()),
      m_messages(std::make_unique<WxMessageSink>(parent)),
      m_files(std::make_unique<WxFileDialogSink>(parent)),
      m_scripted(ScriptedDialogs::FromEnvironment(m_messages.get(), m_files.get()))
{
}

DialogSinks::~DialogSinks() = default;

MessageSink& DialogSinks::Messages()
{
    if (m_scripted)
        return *m_scripted;
    return *m_messages;
}

FileDialogSink& DialogSinks::Files()
{
    if (m_scripted)
        return *m_scripted;
    return *m_files;
}

bool DialogSinks::IsShowing() const
{
    return m_modal->Any();
}

void DialogSinks::EndShown()
{
    m_modal->EndAll();
}
