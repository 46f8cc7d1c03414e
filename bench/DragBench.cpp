// What turning a knob costs: the main window's second output-level knob (record 76 of its layout, 27 x 25
// at (190, 348) of the page, its hardware level switch turned off first) pressed at its centre and moved
// down 60 pixels and up again, over and over, one pixel per motion event and 100 events a second (XTEST,
// as a mouse or xdotool moves the pointer), against the same motion over the toolkit's floor (bench_floor
// quiet: one frame of the main window's size with a quiet timer). The program runs on the simulated unit
// with its meters. For each, over a period with the pointer held still over the knob and over a period
// of dragging: the GUI thread's CPU (scheduler time, % of one core) and the client's round trips to the
// X server (the replies the server sent it, counted through RECORD), per second and per motion event.
// Runs alternate in one X server after a warm-up run of each.
// Usage: bench_drag [seconds of each period = 10] [rounds = 3] [program] [floor]
// Prints figures, asserts nothing. Needs an X server with XTEST and RECORD (Xvfb has both).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/ProgramRun.h"
#include "bench/ReplyCounter.h"

namespace {

constexpr int kSettleSeconds = 4;  // past the first poll of the unit (2 s after the open)
constexpr int kKnobX = 203, kKnobY = 360;  // the knob's centre in the page
constexpr int kHwX = 210, kHwY = 341;      // its hardware level switch (record 97): on, it locks the knob
constexpr int kSweep = 60;                 // pixels down, then up again
constexpr int kEventsPerSecond = 100;

struct Period {
    double gui = -1;         // % of one core
    double roundTrips = -1;  // per second
    double perEvent = -1;    // round trips per motion event sent
};

struct Figures {
    bool ok = false;
    bool turned = false;  // the knob's pixels changed during the drag
    Period still, drag;
};

uint64_t GuiNs(pid_t pid)
{
    const auto times = ThreadTimes(pid);
    const auto it = times.find(pid);
    return it == times.end() ? 0 : it->second.ns;
}

// The page's top left on the screen.
bool PageOrigin(Display* display, Window w, int& x, int& y)
{
    XWindowAttributes a;
    Window child;
    if (!XGetWindowAttributes(display, w, &a) ||
        !XTranslateCoordinates(display, w, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return false;
    y += a.height - kPageHeight;
    return true;
}

std::vector<unsigned long> KnobPixels(Display* display, Window w)
{
    XWindowAttributes a;
    std::vector<unsigned long> pixels;
    if (!XGetWindowAttributes(display, w, &a))
        return pixels;
    XImage* image = XGetImage(display, w, kKnobX - 13, a.height - kPageHeight + kKnobY - 12, 27, 25, AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 27; ++x)
            pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

// Runs events motion events (none: the pointer stays) while counting the GUI thread's time and the
// client's round trips.
Period Measure(Display* display, pid_t pid, Window w, int x0, int y0, int seconds, bool drag)
{
    Period p;
    ReplyCounter counter;
    if (!counter.Start(nullptr, w))
        return p;
    const int events = drag ? seconds * kEventsPerSecond : 0;
    const uint64_t cpu0 = GuiNs(pid);
    const auto t0 = BenchClock::now();
    if (drag) {
        for (int i = 1; i <= events; ++i) {
            const int k = i % (2 * kSweep);
            const int down = k <= kSweep ? k : 2 * kSweep - k;
            XTestFakeMotionEvent(display, -1, x0 + kKnobX, y0 + kKnobY + down, CurrentTime);
            XFlush(display);
            std::this_thread::sleep_until(t0 + std::chrono::microseconds(int64_t(i) * 1000000 / kEventsPerSecond));
        }
    } else {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
    }
    const double wallNs = Ms(BenchClock::now() - t0) * 1e6;
    const uint64_t cpu1 = GuiNs(pid);
    const int64_t replies = counter.Stop();
    p.gui = 100.0 * double(cpu1 - cpu0) / wallNs;
    p.roundTrips = double(replies) * 1e9 / wallNs;
    if (events > 0)
        p.perEvent = double(replies) / events;
    return p;
}

Figures MeasureDrag(Display* display, const Target& target, int seconds)
{
    Figures f;
    Run run = Start(target, "present");
    const Window w = TimeToFirstPaint(display, target, run) >= 0 ? MainWindow(display, run.pid, target.title) : 0;
    int x0 = 0, y0 = 0;
    if (!w || !PageOrigin(display, w, x0, y0)) {
        Stop(run);
        return f;
    }
    std::this_thread::sleep_for(std::chrono::seconds(kSettleSeconds));
    XTestFakeMotionEvent(display, -1, x0 + kHwX, y0 + kHwY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    XTestFakeMotionEvent(display, -1, x0 + kKnobX, y0 + kKnobY, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    f.still = Measure(display, run.pid, w, x0, y0, seconds, false);
    const std::vector<unsigned long> before = KnobPixels(display, w);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    f.drag = Measure(display, run.pid, w, x0, y0, seconds, true);
    f.turned = KnobPixels(display, w) != before;
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Stop(run);
    f.ok = f.still.gui >= 0 && f.drag.gui >= 0;
    return f;
}

void PrintRound(const char* what, const Figures& f)
{
    if (!f.ok) {
        printf("    %-8s no main window, or no RECORD\n", what);
        return;
    }
    printf("    %-8s still: GUI %.2f %%, %.0f round trips/s; drag: GUI %.2f %%, %.0f round trips/s (%.2f per "
           "motion event)%s\n",
           what, f.still.gui, f.still.roundTrips, f.drag.gui, f.drag.roundTrips, f.drag.perEvent,
           f.turned || what[0] != 'p' ? "" : "; the knob did not turn");
}

void PrintMedians(const char* what, const std::vector<Figures>& rounds)
{
    std::vector<double> stillGui, stillTrips, dragGui, dragTrips, perEvent;
    for (const Figures& f : rounds)
        if (f.ok) {
            stillGui.push_back(f.still.gui);
            stillTrips.push_back(f.still.roundTrips);
            dragGui.push_back(f.drag.gui);
            dragTrips.push_back(f.drag.roundTrips);
            perEvent.push_back(f.drag.perEvent);
        }
    printf("  %-8s GUI thread %.2f %% of a core dragging (%.2f %% still); %.0f round trips/s dragging (%.2f per "
           "motion event; %.0f/s still)\n",
           what, Median(dragGui), Median(stillGui), Median(dragTrips), Median(perEvent), Median(stillTrips));
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const Target program = {argc > 3 ? argv[3] : VELBRIN_BUILD_DIR "/VelbrinControl", "", " VelbrinControl", true};
    const Target floor = {argc > 4 ? argv[4] : VELBRIN_BUILD_DIR "/bench/bench_floor", "quiet", " VelbrinFloor",
                          false};
    Display* display = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        fprintf(stderr, "no X display with XTEST\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    printf("bench_drag: %s beside %s; %d rounds of %d s still and %d s dragging, %d motion events/s\n",
           program.path.c_str(), floor.path.c_str(), rounds, seconds, seconds, kEventsPerSecond);
    for (const Target* target : {&program, &floor}) {
        Run run = Start(*target, "present");
        TimeToFirstPaint(display, *target, run);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        Stop(run);
    }
    std::vector<Figures> programRounds, floorRounds;
    for (int r = 0; r < rounds; ++r) {
        printf("  round %d:\n", r + 1);
        programRounds.push_back(MeasureDrag(display, program, seconds));
        PrintRound("program", programRounds.back());
        floorRounds.push_back(MeasureDrag(display, floor, seconds));
        PrintRound("floor", floorRounds.back());
    }
    printf("medians of %d rounds:\n", rounds);
    PrintMedians("program", programRounds);
    PrintMedians("floor", floorRounds);
    XCloseDisplay(display);
    return 0;
}
