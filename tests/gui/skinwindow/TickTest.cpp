// The 100 ms tick: the hook runs, changes stored by worker threads reach the controls, and work posted
// for the GUI thread runs, all without anyone else draining them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <wx/stopwatch.h>

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
