// Program entry: the application object (VelbrinControlApp) on GTK's X11 backend.
#include <wx/app.h>

#include <csignal>

#include "CtrlPanel/VelbrinControlApp.h"
#include "platform/wx/DesktopSetup.h"
#include "platform/wx/LaunchStartupId.h"

wxIMPLEMENT_APP_NO_MAIN(VelbrinControlApp);

int main(int argc, char** argv)
{
    // Past the file-size limit a write fails (EFBIG) and the save reports it, as on a full disk,
    // instead of the signal ending the program with the mix unsaved.
    signal(SIGXFSZ, SIG_IGN);
    UseX11Backend();
    // The application is made, with the launcher's startup id, before the toolkit starts: the toolkit
    // takes the id out of the environment.
    auto* app = static_cast<VelbrinControlApp*>(wxCreateApp());
    app->SetLaunchStartupId(TakeLaunchStartupId());
    wxApp::SetInstance(app);
    return wxEntry(argc, argv);
}
