#include "platform/wx/GuiSession.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include "platform/WxAssert.h"
#include "platform/wx/DesktopSetup.h"

GuiSession::GuiSession(int& argc, char** argv)
{
    UseX11Backend();
    wxApp::SetInstance(new wxApp);
    m_started = wxEntryStart(argc, argv);
    if (!m_started)
        return;
    FailOnWxAssert();
    wxLog::EnableLogging(false);
    if (!wxTheApp->CallOnInit())
        return;
    m_loop = new wxGUIEventLoop;
    wxEventLoopBase::SetActive(m_loop);
}

GuiSession::~GuiSession()
{
    if (m_loop) {
        wxEventLoopBase::SetActive(nullptr);
        delete m_loop;
        wxTheApp->OnExit();
    }
    if (m_started)
        wxEntryCleanup();
}
