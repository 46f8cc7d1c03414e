// Bus transactions per polling cycle on the simulated unit: a quiet mixer with the main meters on,
// then a mixer whose fader moves every cycle, then every meter group on. With each, the polling
// thread's CPU time per cycle (its scheduler time), and how much of it the simulated bus and unit took
// (which run inside it). Prints figures, asserts nothing.
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/ParameterSet.h"
#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimScenario.h"
#include "platform/sim/SimVelbrin.h"
#include "resources/params/MainParamDescriptors.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <thread>
#include <wx/init.h>

namespace {

struct Counts {
    size_t cycles = 0;  // reads of the clock status, one a cycle
    size_t all = 0, quadlets = 0, blocks = 0, avc = 0, pairs = 0;
    uint64_t threadNs = 0, busNs = 0;
};

std::string FirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// The scheduler time of the polling thread (named "avcThread") in ns; 0 when it is not found.
uint64_t PollingThreadNs()
{
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return 0;
    uint64_t ns = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string task = std::string("/proc/self/task/") + entry->d_name;
        if (entry->d_name[0] != '.' && FirstLine(task + "/comm") == "avcThread")
            ns = std::strtoull(FirstLine(task + "/schedstat").c_str(), nullptr, 10);
    }
    closedir(dir);
    return ns;
}

Counts Measure(SimVelbrin& unit, SimFireWireBus& bus, SimClock& clock, uint32_t cycles, ParameterSet* moving)
{
    unit.ClearLog();
    const uint64_t thread0 = PollingThreadNs(), bus0 = bus.ServedCpuNs();
    const uint64_t end = clock.NowMs() + uint64_t(cycles) * 50;
    float level = 0;
    while (clock.NowMs() < end) {
        if (moving) {
            level = level > 0.9f ? 0.1f : level + 0.01f;
            moving->SetParameter(69, level);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    Counts c;
    c.threadNs = PollingThreadNs() - thread0;
    c.busNs = bus.ServedCpuNs() - bus0;
    for (const SimTransaction& t : unit.Log()) {
        ++c.all;
        c.pairs += t.pairs.size();
        for (const SimPair& p : t.pairs)
            c.cycles += p.item == 79;
        c.quadlets += t.kind == SimXfer::ReadQuadlet || t.kind == SimXfer::WriteQuadlet;
        c.blocks += t.kind == SimXfer::WriteBlock;
        c.avc += t.kind == SimXfer::AVC;
    }
    return c;
}

void Print(const char* what, const Counts& c)
{
    const double cycles = double(std::max<size_t>(c.cycles, 1));
    printf("%-34s %6.2f transactions/cycle (quadlet %.2f, block %.2f, AV/C %.2f), %6.2f items/cycle, %zu cycles\n",
           what, double(c.all) / cycles, double(c.quadlets) / cycles, double(c.blocks) / cycles, double(c.avc) / cycles,
           double(c.pairs) / cycles, c.cycles);
    printf("%-34s polling thread %.1f us/cycle: the program %.1f us, the simulated bus and unit %.1f us\n", "",
           double(c.threadNs) / cycles / 1000.0, double(c.threadNs - std::min(c.threadNs, c.busNs)) / cycles / 1000.0,
           double(c.busNs) / cycles / 1000.0);
}

}  // namespace

int main()
{
    wxInitializer wx;
    SimClock clock(10);
    SetClock(&clock);
    SimAudioHardware audio;
    SimVelbrin unit;
    SimFireWireBus bus;
    SimBackends::Install(&bus, nullptr, &audio);
    SimScenario::LinkAudio(unit, audio);
    bus.Plug(&unit);

    ParameterSet mix(kMainParamDescriptors, kMainParamCount);
    VelbrinHAL::CreateInstance();
    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    hal->SetMixParameters(&mix);
    for (int i = 0; i < 200 && !hal->GetMonitor()->HasDevice(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (hal->Open() != 0) {
        fprintf(stderr, "the simulated unit did not open\n");
        return 1;
    }
    MeterList* meters = hal->GetMeterList();
    meters->SetEnabled(1, true);
    Measure(unit, bus, clock, 60, nullptr);  // past the start delay and the first full send

    const uint32_t cycles = 200;
    Print("quiet mixer, main meters", Measure(unit, bus, clock, cycles, nullptr));
    {
        // The same cycles back to back, on a clock that only counts time: each figure is then the
        // cycle's work, without the wake-up from its 50 ms sleep.
        SimClock counting;
        SetClock(&counting);
        Measure(unit, bus, counting, 20, nullptr);
        const uint32_t many = 2000;
        Print("quiet mixer, cycles back to back", Measure(unit, bus, counting, many, nullptr));
        SetClock(&clock);
    }
    Print("one custom mix moving", Measure(unit, bus, clock, cycles, &mix));
    for (uint32_t g = 2; g <= 7; ++g)
        meters->SetEnabled(g, true);
    Print("quiet mixer, all seven meter groups", Measure(unit, bus, clock, cycles, nullptr));

    VelbrinHAL::DestroyInstance();
    unit.SetStateHook(nullptr);
    bus.Unplug(&unit);
    SimBackends::Uninstall();
    SetClock(nullptr);
    return 0;
}
