// A process whose engine (the one GetFirmwareUpdater builds) is left with the unit's drivers unloaded:
// main prepares an update on the simulated unit and returns without closing it. Every driver
// command of the recording runner is written to standard output as it runs, and "main returns"
// before main does, so the test that starts this program sees what the engine did at exit.
// Everything at exit is the process's default: the real clock, the simulated bus, the runner, installed
// before the engine is built.

#include "CtrlPanel/firmware/FirmwareUpdater.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimFireWireRawBus.h"
#include "platform/sim/SimPrivilegedRunner.h"
#include "platform/sim/SimVelbrin.h"
#include "unit/firmware/FirmwareFile.h"

#include <string>
#include <unistd.h>

namespace {

// Never destroyed: the default bus refers to it until the bus goes.
SimVelbrin* g_unit = nullptr;

void Say(const std::string& line)
{
    const std::string text = line + "\n";
    if (write(1, text.data(), text.size()) != ssize_t(text.size()))
        _exit(3);
}

}  // namespace

int main()
{
    SimBackends::Install(&SimFireWireBus::Default(), &SimFireWireRawBus::Default(), nullptr,
                         &SimPrivilegedRunner::Default());
    g_unit = new SimVelbrin;
    SimFireWireBus::Default().Plug(g_unit);
    SimPrivilegedRunner::Default().SetObserver([](const std::vector<std::string>& argv) {
        std::string line;
        for (const std::string& a : argv)
            line += (line.empty() ? "" : " ") + a;
        Say(line);
    });
    const FirmwareFile file = FirmwareFile::Build({{kImageMain, 100, 0x20000000}});
    {
        ScopedSimClock quick;  // the update's waits take no time; those at exit are real
        if (GetFirmwareUpdater().Update(file.bytes.data(), uint32_t(file.bytes.size())) != 0)
            return 2;
    }
    Say("main returns");
    return 0;
}
