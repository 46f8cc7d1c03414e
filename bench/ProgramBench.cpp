// Figures of the whole program on the simulated unit beside the toolkit's floor (bench_floor: one frame of
// the main window's size with a bitmap, a 100 ms timer and an idle handler), measured alternately in one
// run under the same X display (Xvfb), so both see the same machine load:
//   start-up: from starting the process to its first painted window (the page's pixels in the window,
//             not just the toolkit's empty background);
//   memory:   the resident set 4 s after the first paint, the program with its unit polled;
//   CPU:      per-thread scheduler time (ns, /proc/<pid>/task/<tid>/schedstat) over a period, the GUI
//             thread, the polling thread and the rest apart: the program with the unit and the meters
//             running beside the floor repainting a 28 x 100 rectangle per tick, and the program with no
//             unit beside the floor with a quiet timer (and the floor without a timer).
// The simulated unit runs inside the program's polling thread: its share (the time the program's threads
// spent inside the simulated bus, which the unit's state file reports) is printed and taken out of the
// program's figure. The simulation's own threads (names "sim-...") are printed apart and not counted.
// One warm-up run of each comes first, so one-off work of the X server and the toolkit (GTK's GL probe)
// is done before anything is measured.
// Each run has a home and configuration folder of its own and ends with SIGTERM.
// Usage: bench_program [seconds of each CPU period = 30] [rounds = 3] [start-up runs = 5] [program] [floor]
// Prints figures, asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/ProgramRun.h"

namespace {

using Clock = BenchClock;

constexpr int kSettleSeconds = 4;  // past the first poll of the unit (2 s after the open)

// VmRSS, RssAnon and RssFile + RssShmem of the process, in KiB.
struct Resident {
    long all = -1, anon = -1, file = 0;
};

Resident ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    Resident r;
    auto field = [&](const char* name, long& out, bool add) {
        if (line.rfind(name, 0) != 0)
            return;
        const long v = std::strtol(line.c_str() + strlen(name), nullptr, 10);
        out = add ? out + v : v;
    };
    while (std::getline(status, line)) {
        field("VmRSS:", r.all, false);
        field("RssAnon:", r.anon, false);
        field("RssFile:", r.file, true);
        field("RssShmem:", r.file, true);
    }
    return r;
}

// Where a thread's time is counted.
enum Share { kGui, kPolling, kToolkit, kSimulation, kHarness, kShares };

Share ShareOf(pid_t pid, pid_t tid, const std::string& name)
{
    if (tid == pid)
        return kGui;
    if (name == "avcThread")
        return kPolling;
    if (name == "sim-control")
        return kHarness;  // the benchmark's own window into the unit
    if (name.rfind("sim-", 0) == 0)
        return kSimulation;
    return kToolkit;  // GLib's main-context, D-Bus and worker threads
}

// Asks the simulated unit for its state file and returns its bus-cpu-ns line; -1 when it did not come.
long long BusCpuNs(Run& run)
{
    if (run.control.empty())
        return -1;
    {
        std::ofstream control(run.control, std::ios::app);
        control << "state\n";
    }
    ++run.commands;
    const auto limit = Clock::now() + std::chrono::seconds(2);
    while (Clock::now() < limit) {
        std::ifstream state(run.control + ".state");
        std::string key, rest;
        long long busNs = -1;
        int commands = -1;
        while (state >> key >> std::ws && std::getline(state, rest)) {
            if (key == "commands")
                commands = std::atoi(rest.c_str());
            else if (key == "bus-cpu-ns")
                busNs = std::strtoll(rest.c_str(), nullptr, 10);
        }
        if (commands >= run.commands)
            return busNs;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

struct CpuFigures {
    bool ok = false;
    double shares[kShares] = {};  // % of one core
    double unit = -1;             // % of one core spent in the simulated unit; -1 unknown
    Resident resident;

    double Counted() const { return shares[kGui] + shares[kPolling] + shares[kToolkit]; }
    // What the program itself costs: its threads, without the simulated unit inside the polling thread.
    double Own() const { return Counted() - std::max(unit, 0.0); }
};

CpuFigures MeasureCpu(Display* display, const Target& target, const char* scenario, int seconds)
{
    CpuFigures figures;
    Run run = Start(target, scenario);
    if (TimeToFirstPaint(display, target, run) < 0) {
        Stop(run);
        return figures;
    }
    std::this_thread::sleep_for(std::chrono::seconds(kSettleSeconds));
    figures.resident = ResidentKiB(run.pid);
    const long long bus0 = BusCpuNs(run);
    const auto before = ThreadTimes(run.pid);
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto after = ThreadTimes(run.pid);
    const double wallNs = Ms(Clock::now() - t0) * 1e6;
    const long long bus1 = BusCpuNs(run);
    const pid_t pid = run.pid;
    Stop(run);
    uint64_t ns[kShares] = {};
    for (const auto& [tid, t] : after) {
        const auto it = before.find(tid);
        const uint64_t start = it == before.end() ? 0 : it->second.ns;
        ns[ShareOf(pid, tid, t.name)] += t.ns - std::min(t.ns, start);
    }
    for (int s = 0; s < kShares; ++s)
        figures.shares[s] = 100.0 * double(ns[s]) / wallNs;
    if (bus0 >= 0 && bus1 >= bus0)
        figures.unit = 100.0 * double(bus1 - bus0) / wallNs;
    figures.ok = true;
    return figures;
}

void PrintCpuRound(const char* what, const CpuFigures& f)
{
    if (!f.ok) {
        printf("    %-30s no main window\n", what);
        return;
    }
    printf("    %-30s %.3f %%: GUI %.3f, polling %.3f", what, f.Own(), f.shares[kGui], f.shares[kPolling]);
    if (f.unit >= 0)
        printf(" (+ unit %.3f not counted)", f.unit);
    printf(", other threads %.3f; simulation threads %.3f, control-file watcher %.3f not counted\n",
           f.shares[kToolkit], f.shares[kSimulation], f.shares[kHarness]);
}

// Medians over the rounds of each share.
CpuFigures MedianOf(const std::vector<CpuFigures>& rounds)
{
    CpuFigures m;
    std::vector<double> own, unit, shares[kShares];
    for (const CpuFigures& f : rounds) {
        if (!f.ok)
            continue;
        own.push_back(f.Own());
        unit.push_back(f.unit);
        for (int s = 0; s < kShares; ++s)
            shares[s].push_back(f.shares[s]);
    }
    if (own.empty())
        return m;
    m.ok = true;
    for (int s = 0; s < kShares; ++s)
        m.shares[s] = Median(shares[s]);
    m.unit = Median(unit);
    return m;
}

void PrintComparison(const char* what, const std::vector<CpuFigures>& program, const std::vector<CpuFigures>& floor,
                     const char* floorWhat)
{
    std::vector<double> ownP, ownF, ratios;
    for (size_t i = 0; i < program.size() && i < floor.size(); ++i) {
        if (!program[i].ok || !floor[i].ok)
            continue;
        ownP.push_back(program[i].Own());
        ownF.push_back(floor[i].Own());
        ratios.push_back(program[i].Own() / floor[i].Own());
    }
    const CpuFigures p = MedianOf(program), f = MedianOf(floor);
    printf("%s, median of %zu rounds (%% of one core):\n", what, ratios.size());
    printf("  program %.3f (GUI %.3f, polling %.3f, other %.3f", Median(ownP), p.shares[kGui], p.shares[kPolling],
           p.shares[kToolkit]);
    if (p.unit >= 0)
        printf("; simulated unit %.3f not counted", p.unit);
    printf(")\n  floor, %s %.3f (GUI %.3f, other %.3f)\n", floorWhat, Median(ownF), f.shares[kGui],
           f.shares[kToolkit]);
    printf("  ratio program / floor: median %.2f (rounds:", Median(ratios));
    for (double r : ratios)
        printf(" %.2f", r);
    printf(")\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    const Target program = {argc > 4 ? argv[4] : VELBRIN_BUILD_DIR "/VelbrinControl", "", " VelbrinControl", true};
    const std::string floorPath = argc > 5 ? argv[5] : VELBRIN_BUILD_DIR "/bench/bench_floor";
    const Target floorChanging = {floorPath, "changing", " VelbrinFloor", false};
    const Target floorQuiet = {floorPath, "quiet", " VelbrinFloor", false};
    const Target floorNone = {floorPath, "none", " VelbrinFloor", false};
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    printf("bench_program: %s beside %s; %d start-up runs each, %d rounds of %d s CPU periods\n",
           program.path.c_str(), floorPath.c_str(), runs, rounds, seconds);

    // Warm-up: one run of each, not counted.
    for (const Target* target : {&program, &floorChanging}) {
        Run run = Start(*target, "present");
        const double ms = TimeToFirstPaint(display, *target, run);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Stop(run);
        printf("warm-up %s: first paint after %.0f ms (not counted)\n", target->isProgram ? "program" : "floor", ms);
    }

    std::vector<double> times[2];
    for (int i = 0; i < runs; ++i)
        for (const Target* target : {&program, &floorChanging}) {
            Run run = Start(*target, "present");
            const double ms = TimeToFirstPaint(display, *target, run);
            if (ms >= 0)
                times[target->isProgram ? 0 : 1].push_back(ms);
            Stop(run);
        }
    const double startProgram = Median(times[0]), startFloor = Median(times[1]);
    printf("start-up to the first painted main window, median of %zu / %zu runs: program %.0f ms (best %.0f), "
           "floor %.0f ms (best %.0f), ratio %.2f\n",
           times[0].size(), times[1].size(), startProgram,
           times[0].empty() ? -1.0 : *std::min_element(times[0].begin(), times[0].end()), startFloor,
           times[1].empty() ? -1.0 : *std::min_element(times[1].begin(), times[1].end()), startProgram / startFloor);

    std::vector<CpuFigures> present, changing, absent, quiet, none;
    for (int r = 0; r < rounds; ++r) {
        printf("  round %d:\n", r + 1);
        present.push_back(MeasureCpu(display, program, "present", seconds));
        PrintCpuRound("program, unit, meters", present.back());
        changing.push_back(MeasureCpu(display, floorChanging, "present", seconds));
        PrintCpuRound("floor, changing rectangle", changing.back());
        absent.push_back(MeasureCpu(display, program, "absent", seconds));
        PrintCpuRound("program, no unit", absent.back());
        quiet.push_back(MeasureCpu(display, floorQuiet, "present", seconds));
        PrintCpuRound("floor, quiet timer", quiet.back());
        none.push_back(MeasureCpu(display, floorNone, "present", seconds));
        PrintCpuRound("floor, no timer", none.back());
    }

    std::vector<double> rssP, rssF, anonP, anonF;
    for (const CpuFigures& f : present)
        if (f.ok) {
            rssP.push_back(f.resident.all / 1024.0);
            anonP.push_back(f.resident.anon / 1024.0);
        }
    for (const CpuFigures& f : changing)
        if (f.ok) {
            rssF.push_back(f.resident.all / 1024.0);
            anonF.push_back(f.resident.anon / 1024.0);
        }
    printf("resident size %d s after the first paint, median: program %.1f MiB (anonymous %.1f), floor %.1f MiB "
           "(anonymous %.1f), ratio %.2f\n",
           kSettleSeconds, Median(rssP), Median(anonP), Median(rssF), Median(anonF), Median(rssP) / Median(rssF));
    PrintComparison("CPU with the unit, meters running", present, changing, "changing rectangle");
    PrintComparison("CPU with no unit, reconnect loop running", absent, quiet, "quiet timer");
    const CpuFigures n = MedianOf(none);
    printf("floor without a timer: %.3f %% of one core\n", n.ok ? n.Own() : -1.0);
    XCloseDisplay(display);
    return 0;
}
