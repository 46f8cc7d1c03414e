// The 100 ms tick: the hook runs, changes stored by worker threads reach the controls, and work posted
// for the GUI thread runs, all without anyone else draining them; a nested event loop run from inside
// the page's own work does not tick that page in the middle of it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <wx/stopwatch.h>
#include <wx/uiaction.h>

#include "platform/MainThread.h"
#include "support/GuiTestPage.h"

namespace {

class CountingWindow : public SkinWindow {
public:
    CountingWindow() : SkinWindow(nullptr, wxID_ANY, " Ticks", wxDEFAULT_FRAME_STYLE, nullptr, 0) {}
    void OnTick() override { ++ticks; }
    int ticks = 0;
};

}  // namespace

TEST(SkinWindowTick, RunsEveryHundredMillisecondsShownOrHidden)
{
    auto* window = new CountingWindow;  // never shown
    wxStopWatch watch;
    ASSERT_TRUE(PumpUntil([&] { return window->ticks >= 4; }, 2000));
    EXPECT_GE(watch.Time(), 300);
    window->Destroy();
    PumpFor(20);
}

TEST(SkinWindowTick, DeliversWorkerChangesAndPostedWork)
{
    GuiTestPage test;
    ASSERT_TRUE(test.ShowAndWait());
    std::atomic<bool> ran{false};
    std::thread worker([&] {
        test.set.SetParameterFromWorker(0, 0.25f);
        PostToMainThread([&] { ran = true; });
    });
    worker.join();
    EXPECT_FLOAT_EQ(test.Bar()->value, 0.5f);  // stored, not yet told
    ASSERT_TRUE(PumpUntil([&] { return test.Bar()->value == 0.25f && ran; }, 1000));
    // And the change reaches the screen.
    ASSERT_TRUE(PumpUntil([&] {
        return test.window->GetSurface().GetShown().GetPixel(110, 60) == BarView::kEmpty;
    }));
}

namespace {

// Runs a nested event loop (as a modal dialog would) when pressed, and counts the ticks its page
// receives meanwhile.
class NestingView : public View {
public:
    NestingView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*) override
    {
        if (!pressed)
            return;
        inside = true;
        PumpFor(350);
        inside = false;
        ++presses;
    }
    void Broadcast(DrawContext* context) override
    {
        ticksInside += inside ? 1 : 0;
        ticks += 1;
        View::Broadcast(context);
    }
    static inline bool inside = false;
    static inline int presses = 0, ticks = 0, ticksInside = 0;
};

}  // namespace

TEST(SkinWindowTick, ANestedEventLoopInsidePageWorkDoesNotTickThatPage)
{
    if (!IsViewClassRegistered("Nesting"))
        RegisterViewClass("Nesting", CreateViewOf<NestingView>);
    RegisterGuiTestControls();
    ParameterSet set(nullptr, 0);
    const std::vector<LayoutRecord> table = {Record(0, {0, 100, 0, 60}, "Swatch", -1, "FFFFFF"),
                                             Record(1, {20, 80, 10, 50}, "Nesting", 0, "")};
    ControlPage page(&set, table.data(), int32_t(table.size()));
    auto* window = new SkinWindow(nullptr, wxID_ANY, " Nesting", wxDEFAULT_FRAME_STYLE, nullptr, 0, wxPoint(500, 60));
    window->SetView(&page);
    window->Show(true);
    ASSERT_TRUE(PumpUntil([&] { return window->GetSurface().GetFigures().blittedPixels >= 100 * 60; }));

    wxUIActionSimulator input;
    input.MouseMove(window->ClientToScreen(wxPoint(50, 30)));
    PumpFor(50);
    input.MouseClick();
    EXPECT_TRUE(PumpUntil([] { return NestingView::presses == 1; }, 2000));
    EXPECT_EQ(NestingView::ticksInside, 0);
    const int ticksBefore = NestingView::ticks;
    EXPECT_TRUE(PumpUntil([&] { return NestingView::ticks > ticksBefore; }));  // and ticks resume

    window->SetView(nullptr);
    window->Destroy();
    PumpFor(20);
}
