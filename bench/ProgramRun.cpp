#include "bench/ProgramRun.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

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

std::string ReadFirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

double Ms(BenchClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Run Start(const Target& target, const char* scenario)
{
    Run run;
    char folder[] = "/tmp/velbrin-bench-XXXXXX";
    if (!mkdtemp(folder))
        return run;
    run.folder = folder;
    if (target.isProgram)
        run.control = run.folder + "/control";
    fflush(stdout);  // the child must not print what is still buffered
    run.started = BenchClock::now();
    run.pid = fork();
    if (run.pid == 0) {
        setenv("HOME", folder, 1);
        setenv("XDG_CONFIG_HOME", folder, 1);
        setenv("VELBRIN_SIM_SCENARIO", scenario, 1);
        if (!getenv("VELBRIN_RESOURCES"))
            setenv("VELBRIN_RESOURCES", VELBRIN_BUILD_DIR "/resources/ProjectResources.res", 1);
        const std::string log = std::string(folder) + "/dialogs.log";
        setenv("VELBRIN_TEST_DIALOGS", log.c_str(), 1);
        if (!run.control.empty())
            setenv("VELBRIN_SIM_CONTROL", run.control.c_str(), 1);
        if (!freopen("/dev/null", "w", stderr) || !freopen("/dev/null", "w", stdout))
            _exit(126);
        const char* path = target.path.c_str();
        if (target.argument.empty())
            execl(path, path, static_cast<char*>(nullptr));
        else
            execl(path, path, target.argument.c_str(), static_cast<char*>(nullptr));
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

// The run's shown main window, 0 while there is none.
Window MainWindow(Display* display, pid_t pid, const std::string& title)
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
        if (WindowPid(display, children[i]) == pid && WindowName(display, children[i]) == title)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;  // windows come and go while they are looked at
}

// Milliseconds from the start to the first painted main window, or -1 after 20 s.
double TimeToFirstPaint(Display* display, const Target& target, Run& run)
{
    const auto limit = run.started + std::chrono::seconds(20);
    Window w = 0;
    while (BenchClock::now() < limit) {
        if (!w)
            w = MainWindow(display, run.pid, target.title);
        if (w && PagePainted(display, w))
            return Ms(BenchClock::now() - run.started);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return -1;
}

// Scheduler time on the CPU of every thread of the process, by thread id.
std::map<pid_t, ThreadTime> ThreadTimes(pid_t pid)
{
    std::map<pid_t, ThreadTime> times;
    const std::string task = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(task.c_str());
    if (!dir)
        return times;
    while (dirent* entry = readdir(dir)) {
        const pid_t tid = pid_t(std::atoi(entry->d_name));
        if (tid <= 0)
            continue;
        const std::string schedstat = ReadFirstLine(task + "/" + entry->d_name + "/schedstat");
        if (schedstat.empty())
            continue;
        ThreadTime& t = times[tid];
        t.name = ReadFirstLine(task + "/" + entry->d_name + "/comm");
        t.ns = std::strtoull(schedstat.c_str(), nullptr, 10);
    }
    closedir(dir);
    return times;
}

