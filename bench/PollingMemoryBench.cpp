// Memory of a program that polls the simulated unit with every meter group on: the resident set
// size, printed at start and then every interval, while the polling thread runs on the real clock
// as in the program (the mix attached, worker changes delivered every 100 ms as the GUI tick does).
// Usage: bench_polling_memory [minutes = 10] [interval seconds = 30]. Prints figures, asserts nothing.
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/ParameterSet.h"
#include "platform/DebugLog.h"
#include "platform/sim/SimBackends.h"
#include "resources/params/MainParamDescriptors.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <wx/init.h>

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    const int interval = argc > 2 ? std::atoi(argv[2]) : 30;
    wxInitializer wx;
    SetDebugLogSink([](const std::string&) {});
    if (!SimBackends::InstallScenario()) {
        fprintf(stderr, "unknown VELBRIN_SIM_SCENARIO\n");
        return 1;
    }
    ParameterSet mix(kMainParamDescriptors, kMainParamCount);
    VelbrinHAL::CreateInstance();
    VelbrinHAL* hal = VelbrinHAL::GetInstance();
    hal->SetMixParameters(&mix);
    int status = -1;
    for (int attempt = 0; attempt < 50 && status != 0; ++attempt) {
        status = hal->Open();
        if (status != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (status != 0) {
        fprintf(stderr, "the simulated unit did not open\n");
        return 1;
    }
    MeterList* meters = hal->GetMeterList();
    for (uint32_t g = 1; g <= 7; ++g)
        meters->SetEnabled(g, true);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto end = start + std::chrono::milliseconds(long(minutes * 60000));
    auto next = start;
    long first = -1;
    float peak = 0;  // what a page would draw
    while (Clock::now() < end) {
        if (Clock::now() >= next) {
            const long kib = ResidentKiB();
            if (first < 0)
                first = kib;
            const double at = std::chrono::duration<double>(Clock::now() - start).count();
            printf("%7.0f s  RSS %7ld KiB  (%+ld KiB)  open %d  output meter %.3f\n", at, kib, kib - first,
                   hal->IsOpen() ? 1 : 0, meters->Meter(2));
            fflush(stdout);
            next += std::chrono::seconds(interval);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ParameterSet::DeliverWorkerChanges();
        for (int slot = 0; slot < kMeterSlots; ++slot)
            peak = std::max(peak, meters->Meter(slot));
    }
    const long last = ResidentKiB();
    printf("end      RSS %7ld KiB  (%+ld KiB over %.1f min), highest meter %.3f\n", last, last - first, minutes,
           peak);
    VelbrinHAL::DestroyInstance();
    SetDebugLogSink(nullptr);
    return 0;
}
