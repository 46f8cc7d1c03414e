// Bus transactions per polling cycle on the simulated unit: a quiet mixer with the main meters on,
// then a mixer whose fader moves every cycle, then every meter group on. Prints figures, asserts nothing.
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/ParameterSet.h"
#include "platform/AudioHardware.h"
#include "platform/FireWireBus.h"
#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimScenario.h"
#include "platform/sim/SimVelbrin.h"
#include "resources/params/MainParamDescriptors.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <wx/init.h>

namespace {

struct Counts {
    size_t all = 0, quadlets = 0, blocks = 0, avc = 0, pairs = 0;
};

Counts Measure(SimVelbrin& unit, SimClock& clock, uint32_t cycles, ParameterSet* moving)
{
    unit.ClearLog();
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
    for (const SimTransaction& t : unit.Log()) {
        ++c.all;
        c.pairs += t.pairs.size();
        c.quadlets += t.kind == SimXfer::ReadQuadlet || t.kind == SimXfer::WriteQuadlet;
        c.blocks += t.kind == SimXfer::WriteBlock;
        c.avc += t.kind == SimXfer::AVC;
    }
    return c;
}

void Print(const char* what, const Counts& c, uint32_t cycles)
{
    printf("%-34s %6.2f transactions/cycle (quadlet %.2f, block %.2f, AV/C %.2f), %6.2f items/cycle\n", what,
           double(c.all) / cycles, double(c.quadlets) / cycles, double(c.blocks) / cycles, double(c.avc) / cycles,
           double(c.pairs) / cycles);
}

}  // namespace

int main()
{
    wxInitializer wx;
    SimClock clock(10);
    SetClock(&clock);
    SimAudioHardware audio;
    SetAudioHardware(&audio);
    SimVelbrin unit;
    SimFireWireBus bus;
    SetFireWireBus(&bus);
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
    Measure(unit, clock, 60, nullptr);  // past the start delay and the first full send

    const uint32_t cycles = 200;
    Print("quiet mixer, main meters", Measure(unit, clock, cycles, nullptr), cycles);
    Print("one custom mix moving", Measure(unit, clock, cycles, &mix), cycles);
    for (uint32_t g = 2; g <= 7; ++g)
        meters->SetEnabled(g, true);
    Print("quiet mixer, all seven meter groups", Measure(unit, clock, cycles, nullptr), cycles);

    VelbrinHAL::DestroyInstance();
    unit.SetStateHook(nullptr);
    bus.Unplug(&unit);
    SetFireWireBus(nullptr);
    SetAudioHardware(nullptr);
    SetClock(nullptr);
    return 0;
}
