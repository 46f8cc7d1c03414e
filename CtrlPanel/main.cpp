// Program entry. For now the program opens the unit and reports what it found.
#include "CtrlPanel/device/FireWireDevice.h"
#include "platform/sim/SimScenario.h"

#include <cstdio>
#include <cstdlib>
#include <wx/init.h>

int main()
{
    wxInitializer wx;
    if (!wx.IsOk())
        return EXIT_FAILURE;
    if (!SimScenario::ApplyFromEnvironment()) {
        fprintf(stderr, "VelbrinControl: unknown VELBRIN_SIM_SCENARIO\n");
        return EXIT_FAILURE;
    }
    FireWireDevice device;
    int status = device.Open();
    if (status != 0) {
        printf("No Velbrin connected (status 0x%x)\n", unsigned(status));
        return EXIT_FAILURE;
    }
    const uint32_t version = device.InfoWord(13);
    printf("Velbrin firmware Version %u.%u  (build %u)\n", version >> 24, (version >> 16) & 0xFF, version & 0xFFFF);
    printf("VelbrinControl is not complete yet: the control panel windows are still to come.\n");
    return EXIT_SUCCESS;
}
