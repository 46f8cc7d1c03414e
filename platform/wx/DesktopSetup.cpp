#include "platform/wx/DesktopSetup.h"

#include <cstdlib>

void UseX11Backend()
{
    setenv("GDK_BACKEND", "x11", 0);
}
