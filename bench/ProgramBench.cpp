// Figures of the whole program on the simulated unit, under an X display (Xvfb):
//   start-up: from starting the process to the first painted main window (the page's pixels in the
//             window, not just the toolkit's empty background), several runs;
//   memory:   the resident set size a few seconds after start (the first poll of the unit done);
//   CPU:      with the main window shown and the meters running, nothing touched, over a period; and
//             the same with no unit on the bus (the reconnect loop running).
// Each run has a home and configuration folder of its own and ends with SIGTERM.
// Usage: bench_program [seconds of each CPU period = 30] [start-up runs = 5] [program]
// Prints figures, asserts nothing.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPageWidth = 640;
constexpr int kPageHeight = 404;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Run {
    pid_t pid = -1;
    Clock::time_point started;
    std::string folder;
};

Run Start(const std::string& program, const char* scenario)
{
    Run run;
    char folder[] = "/tmp/velbrin-bench-XXXXXX";
    if (!mkdtemp(folder))
        return run;
    run.folder = folder;
    fflush(stdout);  // the child must not print what is still buffered
    run.started = Clock::now();
    run.pid = fork();
    if (run.pid == 0) {
        setenv("HOME", folder, 1);
        setenv("XDG_CONFIG_HOME", folder, 1);
        setenv("VELBRIN_SIM_SCENARIO", scenario, 1);
        if (!getenv("VELBRIN_RESOURCES"))
            setenv("VELBRIN_RESOURCES", VELBRIN_BUILD_DIR "/resources/ProjectResources.res", 1);
        const std::string log = std::string(folder) + "/dialogs.log";
        setenv("VELBRIN_TEST_DIALOGS", log.c_str(), 1);
        if (!freopen("/dev/null", "w", stderr) || !freopen("/dev/null", "w", stdout))
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return run;
}

void Stop(Run& run)
{
    if (run.pid > 0) {
        kill(run.pid, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            if (waitpid(run.pid, nullptr, WNOHANG) == run.pid) {
                run.pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (run.pid > 0) {
            fprintf(stderr, "the program did not end within 10 s of SIGTERM; killed\n");
            kill(run.pid, SIGKILL);
            waitpid(run.pid, nullptr, 0);
        }
    }
    if (!run.folder.empty()) {
        const std::string command = "rm -rf '" + run.folder + "'";
        if (system(command.c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", run.folder.c_str());
    }
}

long WindowPid(Display* display, Window w)
{
    static Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && count == 1)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

std::string WindowName(Display* display, Window w)
{
    XTextProperty text;
    std::string name;
    if (XGetWMName(display, w, &text) && text.value) {
        name.assign(reinterpret_cast<char*>(text.value), text.nitems);
        XFree(text.value);
    }
    return name;
}

// The program's shown main window, 0 while there is none.
Window MainWindow(Display* display, pid_t pid)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable)
            continue;
        if (WindowPid(display, children[i]) == pid && WindowName(display, children[i]) == " VelbrinControl")
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

// True when the page area (the bottom of the window, below the menu bar) holds more than one colour.
bool PagePainted(Display* display, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a) || a.width < kPageWidth || a.height < kPageHeight)
        return false;
    XImage* image = XGetImage(display, w, 0, a.height - kPageHeight, kPageWidth, kPageHeight, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool varied = false;
    for (int y = 0; y < kPageHeight && !varied; y += 3)
        for (int x = 0; x < kPageWidth && !varied; x += 3)
            varied = XGetPixel(image, x, y) != first;
    XDestroyImage(image);
    return varied;
}

int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;  // windows come and go while they are looked at
}

// Milliseconds from the start to the first painted main window, or -1 after 20 s.
double TimeToFirstPaint(Display* display, Run& run)
{
    const auto limit = run.started + std::chrono::seconds(20);
    Window w = 0;
    while (Clock::now() < limit) {
        if (!w)
            w = MainWindow(display, run.pid);
        if (w && PagePainted(display, w))
            return Ms(Clock::now() - run.started);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return -1;
}

long ResidentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// User and system CPU time of the process (all its threads), in seconds.
double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    // Fields after the command name: state is field 3; utime and stime are fields 14 and 15.
    std::vector<std::string> fields;
    size_t at = close + 2;
    while (at < text.size()) {
        size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        fields.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    if (fields.size() < 13)
        return -1;
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str())) / ticks;
}

void MeasureCpu(Display* display, const std::string& program, const char* scenario, int seconds, const char* what)
{
    Run run = Start(program, scenario);
    if (TimeToFirstPaint(display, run) < 0) {
        printf("%s: no main window\n", what);
        Stop(run);
        return;
    }
    // Past the first poll of the unit (2 s after the open) and the reconnect loop's first tries.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    const double cpu0 = CpuSeconds(run.pid);
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu1 = CpuSeconds(run.pid);
    const double wall = Ms(Clock::now() - t0) / 1000.0;
    printf("%s: %.3f %% of one core over %.0f s (%.3f s CPU)\n", what, 100.0 * (cpu1 - cpu0) / wall, wall,
           cpu1 - cpu0);
    Stop(run);
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const std::string program = argc > 3 ? argv[3] : VELBRIN_BUILD_DIR "/VelbrinControl";
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        fprintf(stderr, "no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);

    std::vector<double> times;
    long resident = -1;
    for (int i = 0; i < runs; ++i) {
        Run run = Start(program, "present");
        const double ms = TimeToFirstPaint(display, run);
        if (ms >= 0)
            times.push_back(ms);
        if (i == runs - 1 && ms >= 0) {
            std::this_thread::sleep_for(std::chrono::seconds(4));
            resident = ResidentKiB(run.pid);
        }
        Stop(run);
    }
    if (times.empty()) {
        printf("start-up: the main window never showed\n");
    } else {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        printf("start-up to the first painted main window: median %.0f ms, best %.0f ms, worst %.0f ms (%zu runs)\n",
               sorted[sorted.size() / 2], sorted.front(), sorted.back(), sorted.size());
    }
    printf("resident size 4 s after start: %.1f MiB\n", resident / 1024.0);
    MeasureCpu(display, program, "present", seconds, "CPU, unit present, meters running");
    MeasureCpu(display, program, "absent", seconds, "CPU, no unit, reconnect loop running");
    XCloseDisplay(display);
    return 0;
}
