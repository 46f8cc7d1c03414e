// Each effect panel in a skinned window on the simulated unit: a knob turned with real pointer events
// changes its parameter, and the panel's writer block carries the change to the unit's items.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <wx/uiaction.h>

#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/View.h"
#include "PAL/wx/SkinWindow.h"
#include "support/GuiPump.h"
#include "support/PanelHarness.h"
#include "support/RealArchive.h"

namespace {

struct PanelCase {
    const char* name;
    uint32_t firstItem, itemCount;  // the unit's items the panel writes
    std::vector<int32_t> knobs;     // records of knobs; the first one a click reaches is turned
};

class PanelWindows : public PanelHarness {
protected:
    void SetUp() override
    {
        PanelHarness::SetUp();
        ASSERT_TRUE(LoadRealArchive());
        OpenHal();
    }
    void TearDown() override
    {
        if (window) {
            window->SetView(nullptr);
            window->Destroy();
            PumpFor(20);
        }
        panel.reset();
        PanelHarness::TearDown();
    }

    ParamWriter* Writer(uint32_t base, uint32_t count)
    {
        ParamWriter* w = &NewWriter(base, count);
        Attach(w);
        return w;
    }

    std::vector<uint32_t> Snapshot(const PanelCase& c) const
    {
        std::vector<uint32_t> items;
        for (uint32_t i = 0; i < c.itemCount; ++i)
            items.push_back(Item(c.firstItem + i));
        return items;
    }

    // Shows the panel, turns the knob 30 pixels up, and checks parameter and unit.
    void TurnKnob(const PanelCase& c)
    {
        SCOPED_TRACE(c.name);
        panel->SetSampleRate(float(hal->GetSampleRate()));
        window = new SkinWindow(nullptr, wxID_ANY, " Panel", wxCAPTION, nullptr, 0, wxPoint(60, 60));
        window->SetView(panel->GetPage());
        window->Show(true);
        PumpFor(150);
        ASSERT_TRUE(Flush());
        const std::vector<uint32_t> before = Snapshot(c);
        ControlPage* page = panel->GetPage();
        int32_t knob = -1;
        for (int32_t k : c.knobs) {
            const Rect b = page->GetView(k)->GetBounds();
            if (page->GetRoot()->FindViewAt((b.left + b.right) / 2, b.bottom - 3) == page->GetView(k)) {
                knob = k;
                break;
            }
        }
        ASSERT_GE(knob, 0) << "every knob is covered";
        const int32_t parameter = page->GetParameterIndex(knob, 0);
        const float value = panel->GetParameter(parameter);

        const Rect r = panel->GetPage()->GetView(knob)->GetBounds();
        const int32_t x = (r.left + r.right) / 2;
        MoveTo(x, r.bottom - 3);
        input.MouseDown();
        ASSERT_TRUE(PumpUntil([&] { return panel->GetPage()->GetView(knob)->IsTracking(); }));
        for (int32_t y = r.bottom - 8; y >= r.bottom - 33; y -= 5)
            MoveTo(x, y);
        input.MouseUp();
        ASSERT_TRUE(PumpUntil([&] { return !panel->GetPage()->GetView(knob)->IsTracking(); }));

        EXPECT_NE(panel->GetParameter(parameter), value);
        panel->Idle();  // the application's idle processing: curves go out from there
        ASSERT_TRUE(Flush());
        EXPECT_NE(Snapshot(c), before) << "no item of the panel's block changed";
    }

    void MoveTo(int32_t x, int32_t y)
    {
        const wxPoint target = window->ClientToScreen(wxPoint(x, y));
        input.MouseMove(target);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
        PumpFor(30);
    }

    std::unique_ptr<PageController> panel;
    SkinWindow* window = nullptr;
    wxUIActionSimulator input;
};

TEST_F(PanelWindows, ReverbKnobReachesTheUnit)
{
    ParamWriter* own = Writer(kReverb1BaseItem, kReverbBlockCount);
    ParamWriter* shared = Writer(kReverbSharedBaseItem, kReverbSharedCount);
    panel.reset(ReverbPanel::Create(own, shared, true));
    TurnKnob({"reverb", kReverb1BaseItem, kReverbBlockCount, {1}});
}

TEST_F(PanelWindows, CompressorKnobReachesTheUnit)
{
    panel = CompressorPanel::Create(Writer(kCompressor1BaseItem, kCompressorBlockCount), true);
    TurnKnob({"compressor", kCompressor1BaseItem, kCompressorBlockCount, {2, 3, 8}});
}

TEST_F(PanelWindows, AmpSimulatorKnobReachesTheUnit)
{
    panel.reset(AmpSimPanel::Create(Writer(kAmpSim1BaseItem, kAmpSimBlockCount), true));
    TurnKnob({"amp simulator", kAmpSim1BaseItem, kAmpSimBlockCount, {3, 5}});
}

TEST_F(PanelWindows, EqKnobReachesTheUnit)
{
    panel = EqPanel::Create(Writer(kEq1BaseItem, kEqBlockCount), true);
    panel->SetParameter(0, 0.0f);  // advanced mode: the band knobs are uncovered
    TurnKnob({"EQ", kEq1BaseItem, kEqBlockCount, {7, 6, 2, 3}});
}

}  // namespace
