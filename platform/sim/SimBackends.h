#pragma once
// The one place that puts the simulation behind the platform interfaces: the bus, the raw bus, the
// audio side and the privileged runner. Nothing else installs the simulated backends; the interfaces
// assert when used with nothing installed.

class SimAudioHardware;
class SimFireWireBus;
class SimFireWireRawBus;
class SimPrivilegedRunner;

class SimBackends {
public:
    // Installs the process's default simulated objects and sets them up for the scenario named by
    // VELBRIN_SIM_SCENARIO (SimScenario). False for an unknown scenario, with nothing installed.
    // The objects live until exit.
    static bool InstallScenario();
    // Installs the given objects (the caller keeps ownership); a null one leaves its interface empty.
    static void Install(SimFireWireBus* bus, SimFireWireRawBus* rawBus = nullptr, SimAudioHardware* audio = nullptr,
                        SimPrivilegedRunner* runner = nullptr);
    // Leaves every interface empty.
    static void Uninstall();
};
