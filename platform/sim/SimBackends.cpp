#include "platform/sim/SimBackends.h"

#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimFireWireRawBus.h"
#include "platform/sim/SimPrivilegedRunner.h"
#include "platform/sim/SimScenario.h"

bool SimBackends::InstallScenario()
{
    Install(&SimFireWireBus::Default(), &SimFireWireRawBus::Default(), &SimAudioHardware::Default(),
            &SimPrivilegedRunner::Default());
    if (SimScenario::ApplyFromEnvironment())
        return true;
    Uninstall();
    return false;
}

void SimBackends::Install(SimFireWireBus* bus, SimFireWireRawBus* rawBus, SimAudioHardware* audio,
                          SimPrivilegedRunner* runner)
{
    SetFireWireBus(bus);
    SetFireWireRawBus(rawBus);
    SetAudioHardware(audio);
    SetPrivilegedRunner(runner);
}

void SimBackends::Uninstall() { Install(nullptr); }
