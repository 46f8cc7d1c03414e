#pragma once
// Starting the program or the floor program under the X display for a benchmark, finding its main
// window, waiting for its first paint, reading its threads' scheduler time, and stopping it. Each run
// has a home and configuration folder of its own and ends with SIGTERM.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// The main window's page (below the menu bar): the bottom of the window.
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 404;

double Ms(BenchClock::duration d);
// The middle value (the upper of the two middle ones); -1 for none.
double Median(std::vector<double> values);

struct Target {
    std::string path;
    std::string argument;  // empty: none
    std::string title;     // of its main window
    bool isProgram;
};

struct Run {
    pid_t pid = -1;
    BenchClock::time_point started;
    std::string folder;
    std::string control;  // the simulated unit's control file; empty for the floor
    int commands = 0;     // control lines written
};

// Starts target with the simulated unit's scenario (VELBRIN_SIM_SCENARIO).
Run Start(const Target& target, const char* scenario);
// SIGTERM, then SIGKILL after 10 s; removes the run's folder.
void Stop(Run& run);

// The run's shown main window, 0 while there is none.
Window MainWindow(Display* display, pid_t pid, const std::string& title);
// Milliseconds from the start to the first painted main window, or -1 after 20 s.
double TimeToFirstPaint(Display* display, const Target& target, Run& run);
// Windows come and go while they are looked at: X errors are ignored.
int IgnoreXErrors(Display*, XErrorEvent*);

struct ThreadTime {
    std::string name;
    uint64_t ns = 0;
};
// Scheduler time on the CPU of every thread of the process, by thread id.
std::map<pid_t, ThreadTime> ThreadTimes(pid_t pid);
