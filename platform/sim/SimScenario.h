#pragma once
// The situation the program finds at start, picked from the environment variable
// VELBRIN_SIM_SCENARIO: "present" (the default: one Velbrin on the bus), "absent" (an empty bus),
// "old-firmware" (a Velbrin with firmware build 5400). The unit's audio device appears on the
// default simulated audio side. The unit keeps no transaction log in the program.

#include "platform/sim/SimVelbrin.h"

class SimAudioHardware;

class SimScenario {
public:
    // Makes the unit's audio device follow the unit: listed while the unit is on the bus (the DSP
    // boots behind it), in its DSP mode, on its clock source at the S/PDIF input's rate.
    static void LinkAudio(SimVelbrin& unit, SimAudioHardware& audio);
    // Sets up the default simulated bus once; returns false for an unknown scenario name.
    static bool ApplyFromEnvironment();
    // The unit of the scenario (also when it is not on the bus).
    static SimVelbrin& Unit();
};
