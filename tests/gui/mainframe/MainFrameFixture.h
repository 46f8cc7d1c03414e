#pragma once
// The two main frames on the application's device side and the simulated unit, made and shown as
// the application makes them at start-up, with boxes recorded instead of shown.

#include <memory>

#include <wx/uiaction.h>
#include <wx/weakref.h>

#include "CtrlPanel/AppCore.h"
#include "CtrlPanel/VelbrinControlFrame.h"
#include "support/GuiPump.h"
#include "support/HalFixture.h"
#include "support/RealArchive.h"
#include "support/RecordingMessageSink.h"

class NullHost : public AppCore::Host {
public:
    void SetFramesSampleRate(float) override {}
    void ShowConnectionLost(bool) override {}
    void HandOffToUpdater() override {}
    void RunMixDialog(bool) override {}
    bool IsModalRunning() override { return false; }
};

class MainFrameTest : public HalTest {
protected:
    void SetUp() override
    {
        HalTest::SetUp();
        ASSERT_TRUE(LoadRealArchive());
        core = std::make_unique<AppCore>(host);
        core->Build();
        hal = VelbrinHAL::GetInstance();
        floating = new VelbrinControlFrame(*core, VelbrinControlFrame::kFloatingStyle, nullptr, messages);
        standard = new VelbrinControlFrame(*core, VelbrinControlFrame::kStandardStyle, floating, messages);
        floating->DetachPage();
        standard->Move(40, 40);
        standard->Show(true);
        floating->Show(false);
        standard->AttachPage();
        for (VelbrinControlFrame* frame : {floating.get(), standard.get()})
            frame->OnParameterChanged(MainFrameLogic::kMetering);
        ASSERT_TRUE(PumpUntil([&] { return standard->GetSurface().GetFigures().blittedPixels >= 640 * 404; }));
    }
    void TearDown() override
    {
        input.MouseUp();
        if (VelbrinControlFrame* frame = standard.get())
            delete frame;
        PumpFor(20);
        core.reset();
        HalTest::TearDown();
    }

    // A click at the point (x, y) of the frame's page.
    void ClickAt(wxWindow* window, int x, int y)
    {
        const wxPoint target = window->ClientToScreen(wxPoint(x, y));
        input.MouseMove(target);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
        input.MouseClick();
        PumpFor(60);
    }

    NullHost host;
    RecordingMessageSink messages;
    std::unique_ptr<AppCore> core;
    wxWeakRef<VelbrinControlFrame> floating;
    wxWeakRef<VelbrinControlFrame> standard;
    wxUIActionSimulator input;
};
