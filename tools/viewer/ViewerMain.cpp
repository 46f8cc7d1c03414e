// Entry of the window viewer (see ViewerApp.h).
#include <cstring>

#include <wx/app.h>

#include "platform/wx/DesktopSetup.h"
#include "tools/viewer/ViewerApp.h"

wxIMPLEMENT_APP_NO_MAIN(ViewerApp);

int main(int argc, char** argv)
{
    if (argc == 2 && strcmp(argv[1], "--list") == 0) {  // needs no display
        ViewerApp::PrintTables();
        return 0;
    }
    UseX11Backend();
    return wxEntry(argc, argv);
}
