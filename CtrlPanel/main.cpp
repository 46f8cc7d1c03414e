// Program entry: the application object (VelbrinControlApp) on GTK's X11 backend.
#include <wx/app.h>

#include "CtrlPanel/VelbrinControlApp.h"
#include "platform/wx/DesktopSetup.h"

wxIMPLEMENT_APP_NO_MAIN(VelbrinControlApp);

int main(int argc, char** argv)
{
    UseX11Backend();
    return wxEntry(argc, argv);
}
