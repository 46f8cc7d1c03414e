// Cost of the skinned window's 100 ms tick on the connection-lost (the smallest) and the main-sized
// backdrop, each with one knob (27 x 27, a real strip) and one peak meter: ticks in which nothing
// changed, then ticks in which the knob turns one frame, then ticks in which the meter gets a new peak.
// Each tick goes through the shared clock's path (WindowTicker::TickAll, as its timer runs it). Prints
// what each tick draws, what it sends to the screen (pixels refreshed and blitted, and their share of the
// window), how long the tick and the paint take, and what a control's tick costs on the main window
// against the smallest. Needs a display: run it under xvfb-run. Asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>


#include "PAL/LayoutRecord.h"
#include "PAL/LayoutTables.h"
#include "PAL/ParameterSet.h"
#include "PAL/ResourceLocator.h"
#include "PAL/ViewLib/ControlGeometry.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/wx/SkinWindow.h"
#include "PAL/wx/WindowTicker.h"
#include "platform/wx/GuiSession.h"
#include "tests/support/GuiPump.h"
#include "tests/support/LayoutRecordMaker.h"

namespace {

constexpr int kQuietMilliseconds = 1000;
constexpr int kChangingTicks = 200;
constexpr int32_t kKnobSize = 27;

const ParamDescriptor kKnobParameter = {0, "Knob", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct TickFigures {
    double knobTick = 0, meterTick = 0;  // median microseconds of a tick
    double knobBlit = 0, meterBlit = 0;  // median microseconds of the paint it causes
};

// Ticks in which change(i) alters one control just before tick i, each followed by the paint it causes.
// Returns the median tick and paint times.
template <class Change>
std::pair<double, double> MeasureChangingTicks(SkinWindow* window, int64_t area, const char* what,
                                               int64_t controlArea, Change change)
{
    WindowSurface& surface = window->GetSurface();
    std::vector<double> tickMicroseconds, blitMicroseconds, ratios;
    int64_t refreshed = 0, blitted = 0;
    for (int i = 0; i < kChangingTicks; ++i) {
        surface.ResetFigures();
        change(i);
        const auto start = std::chrono::steady_clock::now();
        WindowTicker::TickAll();
        tickMicroseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        PumpUntil([&] { return surface.GetFigures().blittedPixels >= surface.GetFigures().refreshedPixels; }, 1000);
        const SurfaceFigures f = surface.GetFigures();
        refreshed += f.refreshedPixels;
        blitted += f.blittedPixels;
        ratios.push_back(double(f.blittedPixels) / double(area));
        blitMicroseconds.push_back(double(f.blitNanoseconds) / 1000.0);
    }
    printf("  one %s changing (its share of the window %.5f), %d ticks: %.1f pixels refreshed and %.1f blitted "
           "per tick; blitted / window pixels = %.5f (median %.5f)\n",
           what, double(controlArea) / double(area), kChangingTicks, double(refreshed) / kChangingTicks,
           double(blitted) / kChangingTicks, double(blitted) / kChangingTicks / double(area), Median(ratios));
    printf("    time of one tick (deliver, broadcast, drag poll, page paint, changed-pixel search): median %.1f us, "
           "max %.1f us; paint handler (blit): median %.1f us\n",
           Median(tickMicroseconds), *std::max_element(tickMicroseconds.begin(), tickMicroseconds.end()),
           Median(blitMicroseconds));
    return {Median(tickMicroseconds), Median(blitMicroseconds)};
}

TickFigures Measure(LayoutWindow which)
{
    const LayoutTable& layout = GetLayoutTable(which);
    const int32_t w = layout.width, h = layout.height;
    const Rect knob = {w / 2 - kKnobSize / 2, w / 2 - kKnobSize / 2 + kKnobSize, h / 2 - kKnobSize / 2,
                       h / 2 - kKnobSize / 2 + kKnobSize};
    // A meter as on the main window (3 x 96), shortened to fit a lower window.
    const int32_t meterTop = std::max(0, h / 2 - 48), meterBottom = std::min(h, h / 2 + 48);
    const Rect meter = {knob.left - 20, knob.left - 17, meterTop, meterBottom};
    const std::string meterItems = std::string("meter.bmp\n") + layout.backdrop + "\nmeterclip.bmp";
    const std::vector<LayoutRecord> table = {Record(0, {0, w, 0, h}, "Canvas", -1, ""),
                                             Record(1, {0, w, 0, h}, "flCanvas", 0, layout.backdrop),
                                             Record(2, knob, "Knob", 1, "KnobTrackRotation.bmp", {0}),
                                             Record(3, meter, "flPPM", 1, meterItems.c_str())};
    ParameterSet set(&kKnobParameter, 1);
    ControlPage page(&set, table.data(), int32_t(table.size()));
    auto* window = new SkinWindow(nullptr, wxID_ANY, " Bench", wxDEFAULT_FRAME_STYLE, nullptr, 0, wxPoint(10, 10));
    window->SetView(&page);
    window->Show(true);
    WindowSurface& surface = window->GetSurface();
    const int64_t area = int64_t(w) * h;
    PumpUntil([&] { return surface.GetFigures().blittedPixels >= area; }, 5000);
    PumpFor(300);

    printf("%s backdrop (%s, %d x %d = %lld pixels)\n", layout.name, layout.backdrop, int(w), int(h),
           (long long)area);

    // Ticks of the window's own timer while nothing changes.
    surface.ResetFigures();
    PumpFor(kQuietMilliseconds);
    const SurfaceFigures quiet = surface.GetFigures();
    printf("  quiet: %d ms (about %d ticks): %d rectangles drawn, %lld pixels refreshed, %d paints, "
           "%lld pixels blitted\n",
           kQuietMilliseconds, kQuietMilliseconds / 100, quiet.marks, (long long)quiet.refreshedPixels, quiet.paints,
           (long long)quiet.blittedPixels);

    TickFigures figures;
    std::tie(figures.knobTick, figures.knobBlit) = MeasureChangingTicks(
        window, area, "27 x 27 knob (one frame a tick)", int64_t(kKnobSize) * kKnobSize,
        [&](int i) { set.SetParameter(0, float(i % kKnobFrames) / float(kKnobFrames) + 0.5f / kKnobFrames); });
    auto* ppm = static_cast<flPPM*>(page.GetView(3));
    std::tie(figures.meterTick, figures.meterBlit) =
        MeasureChangingTicks(window, area, "meter (a new peak every tick)",
                             int64_t(meter.right - meter.left) * (meter.bottom - meter.top),
                             [&](int i) { ppm->SetLevel(i % 2 ? 0.8f : 0.2f); });

    window->SetView(nullptr);
    window->Destroy();
    PumpFor(50);
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    GuiSession session(argc, argv);
    if (!session.IsOk()) {
        fprintf(stderr, "bench_paint_tick: no display (run it under xvfb-run)\n");
        return 1;
    }
    if (OpenProjectResources() == 0) {
        fprintf(stderr, "bench_paint_tick: no resource archive (build the project first)\n");
        return 1;
    }
    const TickFigures small = Measure(LayoutWindow::ConnectionLost);
    const TickFigures main = Measure(LayoutWindow::Main);
    printf("main window / smallest window, median tick: knob %.2f, meter %.2f; paint: knob %.2f, meter %.2f\n",
           main.knobTick / small.knobTick, main.meterTick / small.meterTick, main.knobBlit / small.knobBlit,
           main.meterBlit / small.meterBlit);
    return 0;
}
