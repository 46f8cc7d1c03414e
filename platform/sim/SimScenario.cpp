#include "platform/sim/SimScenario.h"

#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimControlFile.h"
#include "platform/sim/SimFireWireBus.h"

#include <cstdlib>
#include <cstring>

SimVelbrin& SimScenario::Unit()
{
    static SimVelbrin unit;
    return unit;
}

void SimScenario::LinkAudio(SimVelbrin& unit, SimAudioHardware& audio)
{
    unit.SetStateHook([&audio](const SimUnitState& s) {
        audio.SetUnitState(s.onBus, true, s.dspMode);
        audio.SetExternalClockRate(s.spdifRate);
        audio.SetClockSourceExternal(s.externalClock);
    });
}

void SimScenario::WatchControlFile()
{
    const char* path = getenv("VELBRIN_SIM_CONTROL");
    if (!path || !*path)
        return;
    // Built after the unit and the bus, so it is destroyed before them and writes its last state
    // while both still exist.
    SimVelbrin& unit = Unit();
    SimFireWireBus& bus = SimFireWireBus::Default();
    static SimControlFile control(path, bus, unit);
}

bool SimScenario::ApplyFromEnvironment()
{
    Unit().SetLogCapacity(0);
    LinkAudio(Unit(), SimAudioHardware::Default());
    WatchControlFile();
    const char* name = getenv("VELBRIN_SIM_SCENARIO");
    if (!name || !*name || strcmp(name, "present") == 0) {
        SimFireWireBus::Default().Plug(&Unit());
        // The unit has been on for a while: its DSP is up when the program starts.
        Unit().CompleteBoot();
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
