#pragma once
// The situation the program finds at start, picked from the environment variable
// VELBRIN_SIM_SCENARIO: "present" (the default: one Velbrin on the bus, switched on long before, so
// its DSP is up), "absent" (an empty bus),
// "old-firmware" (a Velbrin with firmware build 5400). The unit's audio device appears on the
// default simulated audio side. The unit keeps no transaction log in the program.
// VELBRIN_SIM_CONTROL names a control file that unplugs and replugs the unit while the program runs,
// and through which the unit's state can be read (SimControlFile).

#include "platform/sim/SimVelbrin.h"

class SimAudioHardware;

class SimScenario {
public:
    // Makes the unit's audio device follow the unit: listed while the unit is on the bus (the DSP
    // boots behind it), in its DSP mode, on its clock source at the S/PDIF input's rate.
    static void LinkAudio(SimVelbrin& unit, SimAudioHardware& audio);
    // Sets up the default simulated bus once; returns false for an unknown scenario name.
    static bool ApplyFromEnvironment();
    // Starts the control-file watcher when VELBRIN_SIM_CONTROL names a file (once; it lives until the
    // program ends). Part of ApplyFromEnvironment.
    static void WatchControlFile();
    // The unit of the scenario (also when it is not on the bus).
    static SimVelbrin& Unit();
};
