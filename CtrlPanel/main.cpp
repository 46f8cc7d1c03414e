// Program entry. Until the windows exist, the program opens the unit through the HAL with the default
// mix, reports what it found and shows a few seconds of its meters.
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/MainParameterSet.h"
#include "platform/sim/SimScenario.h"
#include "resources/params/MainParamDescriptors.h"

#include <cstdio>
#include <cstdlib>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

int main()
{
    wxInitializer wx;
    if (!wx.IsOk())
        return EXIT_FAILURE;
    wxLog::EnableLogging(false);
    if (!SimScenario::ApplyFromEnvironment()) {
        fprintf(stderr, "VelbrinControl: unknown VELBRIN_SIM_SCENARIO\n");
        return EXIT_FAILURE;
    }
    MainParameterSet mix(kMainParamDescriptors, kMainParamCount);
    VelbrinHAL::CreateInstance();
    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    hal->SetMixParameters(&mix);
    // The audio device shows up a moment after the unit.
    int status = -1;
    for (int attempt = 0; attempt < 20 && status != 0 && !VelbrinHAL::IsFirmwareUpdatePending(); ++attempt) {
        status = hal->Open();
        if (status != 0)
            wxMilliSleep(100);
    }
    int result = EXIT_SUCCESS;
    uint32_t build, major, minor;
    if (VelbrinHAL::IsFirmwareUpdatePending()) {
        printf("The Velbrin's firmware is too old: the firmware updater would start now.\n");
    } else if (status != 0 || !hal->GetBCDInfo(&build, &major, &minor)) {
        printf("No Velbrin connected\n");
        result = EXIT_FAILURE;
    } else {
        printf("Velbrin firmware Version %u.%u  (build %u)\n", major, minor, build);
        uint32_t version, high, low;
        if (hal->GetDSPInfo(&version, &high, &low))
            printf("DSP firmware Version %u.%u (build %u%s)\n", high, low, version & 0x7FFF,
                   (version & 0x8000) ? "M" : "");
        printf("Sample rate %d Hz\n", hal->GetSampleRate());
        MeterList* meters = hal->GetMeterList();
        meters->SetEnabled(1, true);
        for (int tick = 0; tick < 30; ++tick) {
            wxMilliSleep(100);
            ParameterSet::DeliverWorkerChanges();
            printf("\rmeters  in %5.2f %5.2f   out %5.2f %5.2f", meters->Meter(0), meters->Meter(1),
                   meters->Meter(2), meters->Meter(3));
            fflush(stdout);
        }
        printf("\nVelbrinControl is not complete yet: the control panel windows are still to come.\n");
    }
    VelbrinHAL::DestroyInstance();
    return result;
}
