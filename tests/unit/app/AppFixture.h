#pragma once
// The application's device side (AppCore) on the simulated unit, with a host that records what the
// application would do with its windows; and fakes of the windows the main-frame reactions drive.

#include <memory>
#include <string>
#include <vector>

#include "CtrlPanel/AppCore.h"
#include "CtrlPanel/FrameWindow.h"
#include "PAL/LinkWindow.h"
#include "PAL/ViewLib/ControlPage.h"
#include "support/HalFixture.h"

class RecordingHost : public AppCore::Host {
public:
    void SetFramesSampleRate(float rate) override { frameRates.push_back(rate); }
    void ShowConnectionLost(bool show) override { connectionLost.push_back(show); }
    void HandOffToUpdater() override { ++handOffs; }
    void RunMixDialog(bool save) override { dialogs.push_back(save); }
    bool IsModalRunning() override { return modal; }

    std::vector<float> frameRates;
    std::vector<bool> connectionLost;
    std::vector<bool> dialogs;
    int handOffs = 0;
    bool modal = false;
};

class FakeLinkWindow : public LinkWindow {
public:
    explicit FakeLinkWindow(int32_t x = 0, int32_t y = 0, int32_t w = 300, int32_t h = 100) : x(x), y(y), w(w), h(h) {}
    void GetPosition(int32_t& px, int32_t& py) override { px = x, py = y; }
    void GetSize(int32_t& pw, int32_t& ph) override { pw = w, ph = h; }
    void SetSize(int32_t px, int32_t py, int32_t pw, int32_t ph) override { x = px, y = py, w = pw, h = ph; }
    bool IsShown() override { return shown; }
    bool Show(bool show) override
    {
        shown = show;
        return true;
    }
    void Raise() override { ++raises; }
    void SetCaption(const std::string& text) override { title = text; }
    std::string GetCaption() override { return title; }

    int32_t x, y, w, h;
    bool shown = false;
    int raises = 0;
    std::string title;
};

class FakeFrameWindow : public FrameWindow {
public:
    bool IsFrameShown() override { return shown; }
    void ShowFrame(bool show) override
    {
        shown = show;
        ++showCalls;
    }
    void GetFrameRect(int32_t& px, int32_t& py, int32_t& pw, int32_t& ph) override { px = x, py = y, pw = w, ph = h; }
    void SetFrameRect(int32_t px, int32_t py, int32_t pw, int32_t ph) override { x = px, y = py, w = pw, h = ph; }
    void GetClientArea(int32_t& pw, int32_t& ph) override { pw = clientWidth, ph = clientHeight; }
    void SetClientArea(int32_t pw, int32_t ph) override { clientWidth = pw, clientHeight = ph; }
    void ShowPage(ControlPage* shownPage) override
    {
        page = shownPage;
        ++pageCalls;
        if (page)
            page->GetSize(clientWidth, clientHeight);
    }
    void ShowMetering(bool on) override { metering = on ? 1 : 0; }

    bool shown = false;
    int32_t x = 0, y = 0, w = 0, h = 0;
    int32_t clientWidth = 0, clientHeight = 0;
    ControlPage* page = nullptr;
    int pageCalls = 0;
    int showCalls = 0;
    int metering = -1;  // -1: never told
};

class AppTest : public HalTest {
protected:
    void SetUp() override
    {
        HalTest::SetUp();
        core = std::make_unique<AppCore>(host);
        core->Build();
        hal = VelbrinHAL::GetInstance();
    }
    void TearDown() override
    {
        core.reset();
        HalTest::TearDown();
    }

    // The HAL opened as the application opens it, with the monitor given time to find the unit's
    // audio device.
    bool OpenUnit()
    {
        WaitFor([&] { return hal->GetMonitor()->HasDevice(); });
        return hal->EnsureOpen();
    }

    RecordingHost host;
    std::unique_ptr<AppCore> core;
};
