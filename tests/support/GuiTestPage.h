#pragma once
// A skinned window on a small test page for GUI tests: a 160 x 100 blue-grey "Swatch" root holding an
// orange swatch (10..50, 10..40), a "Bar" (100..130, 20..80) showing parameter 0 "Input 1 Level" and a
// generic "Knob" without a strip (55..95, 50..90, centre 75, 70) on parameter 1 "Input 2 Level" (both
// default 0.5). The window stands at a fixed place on the screen (there is no window manager to move it).

#include <memory>
#include <vector>

#include <wx/window.h>

#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/wx/SkinWindow.h"
#include "support/GuiPump.h"
#include "support/GuiTestControls.h"
#include "support/LayoutRecordMaker.h"

class MeterGroups;

struct GuiTestPage {
    static constexpr int32_t kWidth = 160, kHeight = 100;
    static constexpr Rect kBar = {100, 130, 20, 80};
    static constexpr Rect kKnob = {55, 95, 50, 90};

    explicit GuiTestPage(wxPoint place = wxPoint(40, 40), MeterGroups* meters = nullptr, int32_t group = 0)
        : set(Descriptors(), 2)
    {
        RegisterGuiTestControls();
        table = {Record(0, {0, kWidth, 0, kHeight}, "Swatch", -1, "607080"),
                 Record(1, {10, 50, 10, 40}, "Swatch", 0, "FF8000"),
                 Record(2, kBar, "Bar", 0, "", {0}),
                 Record(3, kKnob, "Knob", 0, "", {1})};
        page = std::make_unique<ControlPage>(&set, table.data(), int32_t(table.size()));
        window = new SkinWindow(nullptr, wxID_ANY, " Test", wxDEFAULT_FRAME_STYLE, meters, group, place);
        window->SetView(page.get());
    }
    ~GuiTestPage()
    {
        window->SetView(nullptr);
        window->Destroy();
        PumpFor(20);
    }

    // Shows the window and waits until its first paint reached the screen.
    bool ShowAndWait()
    {
        window->Show(true);
        return PumpUntil([&] { return Settled(); });
    }
    // Every pixel of the page has been blitted at least once.
    bool Settled() { return window->GetSurface().GetFigures().blittedPixels >= int64_t(kWidth) * kHeight; }

    wxPoint ScreenPoint(int32_t x, int32_t y) const { return window->ClientToScreen(wxPoint(x, y)); }
    BarView* Bar() const { return static_cast<BarView*>(page->GetView(2)); }
    View* Knob() const { return page->GetView(3); }

    static const ParamDescriptor* Descriptors()
    {
        static const ParamDescriptor descriptors[2] = {
            {0, "Input 1 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
            {1, "Input 2 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
        };
        return descriptors;
    }

    ParameterSet set;
    std::vector<LayoutRecord> table;
    std::unique_ptr<ControlPage> page;
    SkinWindow* window;
};
