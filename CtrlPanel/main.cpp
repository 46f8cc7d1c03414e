// Program entry: the application object (VelbrinControlApp) on GTK's X11 backend.
#include <wx/app.h>

#include <csignal>

#include "CtrlPanel/VelbrinControlApp.h"
#include "platform/wx/DesktopSetup.h"

wxIMPLEMENT_APP_NO_MAIN(VelbrinControlApp);

int main(int argc, char** argv)
{
    // Past the file-size limit a write fails (EFBIG) and the save reports it, as on a full disk,
    // instead of the signal ending the program with the mix unsaved.
    signal(SIGXFSZ, SIG_IGN);
    UseX11Backend();
    return wxEntry(argc, argv);
}
