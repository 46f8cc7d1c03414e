// The real controls in real windows, driven by real pointer events: a reverb knob turned by a drag and
// reset by an Alt-click, its enable button clicked, and a custom-mix fader dragged.
#include <gtest/gtest.h>

#include <memory>

#include <wx/uiaction.h>

#include "PAL/LayoutTables.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "PAL/WindowRecords.h"
#include "PAL/wx/SkinWindow.h"
#include "resources/params/CustomMixParamDescriptors.h"
#include "resources/params/ReverbParamDescriptors.h"
#include "support/GuiPump.h"
#include "support/RealArchive.h"

namespace {

// A real table on its real parameters in a skinned window at a fixed place on the screen.
struct RealWindow {
    RealWindow(LayoutWindow which, const ParamDescriptor* descriptors, int32_t count)
        : set(descriptors, count)
    {
        const LayoutTable& t = GetLayoutTable(which);
        page = std::make_unique<ControlPage>(&set, t.records, t.count);
        window = new SkinWindow(nullptr, wxID_ANY, " Real", wxCAPTION, nullptr, 0, wxPoint(80, 80));
        window->SetView(page.get());
        window->Show(true);
        PumpFor(150);
    }
    ~RealWindow()
    {
        window->SetView(nullptr);
        window->Destroy();
        PumpFor(20);
    }
    ParameterSet set;
    std::unique_ptr<ControlPage> page;
    SkinWindow* window;
};

struct RealControls : testing::Test {
    void SetUp() override { ASSERT_TRUE(LoadRealArchive()); }
    void TearDown() override
    {
        input.KeyUp(WXK_ALT);
        input.MouseUp();
        PumpFor(30);
    }
    void MoveTo(const RealWindow& w, int32_t x, int32_t y)
    {
        const wxPoint target = w.window->ClientToScreen(wxPoint(x, y));
        input.MouseMove(target);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
        PumpFor(30);
    }
    wxUIActionSimulator input;
};

TEST_F(RealControls, AReverbKnobTurnsWithADragAndAnAltClickResetsIt)
{
    RealWindow reverb(LayoutWindow::Reverb, kReverbParamDescriptors, kReverbParamCount);
    const float initial = reverb.set.GetParameter(0);
    reverb.set.SetParameter(0, 0.2f);
    MoveTo(reverb, 60, 38);  // "ROOM SIZE" knob, 47..74 x 16..39
    input.MouseDown();
    ASSERT_TRUE(PumpUntil([&] { return reverb.page->GetView(1)->IsTracking(); }));
    for (int32_t y = 34; y >= 18; y -= 4)
        MoveTo(reverb, 60, y);  // 20 pixels up: +20/200
    input.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !reverb.page->GetView(1)->IsTracking(); }));
    EXPECT_NEAR(reverb.set.GetParameter(0), 0.2f + 20.0f / 200.0f, 1e-4);

    MoveTo(reverb, 60, 28);
    input.KeyDown(WXK_ALT);
    ASSERT_TRUE(PumpUntil([] { return wxGetMouseState().AltDown(); }, 1000));
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return reverb.set.GetParameter(0) == initial; }));
    input.KeyUp(WXK_ALT);
}

TEST_F(RealControls, TheEnableButtonTogglesOnEachClick)
{
    RealWindow reverb(LayoutWindow::Reverb, kReverbParamDescriptors, kReverbParamCount);
    reverb.set.SetParameter(3, 0.0f);
    MoveTo(reverb, 14, 33);  // the enable button, 7..22 x 26..41
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return reverb.set.GetParameter(3) == 1.0f; }));
    PumpFor(50);
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return reverb.set.GetParameter(3) == 0.0f; }));
}

TEST_F(RealControls, ACustomMixFaderFollowsADrag)
{
    RealWindow mix(LayoutWindow::CustomInputMix, kCustomMixParamDescriptors, kCustomMixParamCount);
    mix.set.SetParameter(0, 0.5f);
    PumpFor(50);
    const float before = mix.set.GetParameter(0);
    MoveTo(mix, 42, 88);  // on the first fader's handle (32..53 x 24..152)
    input.MouseDown();
    for (int32_t y = 92; y <= 120; y += 4)
        MoveTo(mix, 42, y);
    input.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !mix.page->GetView(CustomInputMixRecords::kInputFaders[0])->IsTracking(); }));
    EXPECT_LT(mix.set.GetParameter(0), before);  // dragged down: quieter
}

}  // namespace
