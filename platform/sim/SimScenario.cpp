#include "platform/sim/SimScenario.h"

#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimFireWireBus.h"

#include <cstdlib>
#include <cstring>

SimVelbrin& SimScenario::Unit()
{
    static SimVelbrin unit;
    return unit;
}

bool SimScenario::ApplyFromEnvironment()
{
    // The unit's audio device follows the unit: on the bus, DSP booted, its mode and clock source.
    Unit().SetStateHook([](const SimUnitState& s) {
        SimAudioHardware& audio = SimAudioHardware::Default();
        audio.SetUnitState(s.onBus, s.dspBooted, s.dspMode);
        audio.SetClockSourceExternal(s.externalClock);
    });
    const char* name = getenv("VELBRIN_SIM_SCENARIO");
    if (!name || !*name || strcmp(name, "present") == 0) {
        SimFireWireBus::Default().Plug(&Unit());
        return true;
    }
    if (strcmp(name, "absent") == 0)
        return true;
    if (strcmp(name, "old-firmware") == 0) {
        Unit().SetFirmwareVersion(1, 2, 5400);
        SimFireWireBus::Default().Plug(&Unit());
        return true;
    }
    return false;
}
