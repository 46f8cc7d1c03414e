// The program's windows rest while hidden: no tick and no idle work until shown again.
#include <gtest/gtest.h>
#include <wx/weakref.h>

#include "PAL/wx/SkinWindow.h"
#include "support/GuiPump.h"

namespace {

class CountingWindow : public SkinWindow {
public:
    CountingWindow() : SkinWindow(nullptr, wxID_ANY, " Ticks", wxDEFAULT_FRAME_STYLE, nullptr, 0) {}
    void OnTick() override { ++ticks; }
    int ticks = 0;
};

struct RestScope {
    RestScope() { SkinWindow::SetRestWhileHidden(true); }
    ~RestScope() { SkinWindow::SetRestWhileHidden(false); }
};

}  // namespace

TEST(RestWhileHidden, AHiddenWindowTicksOnlyWhileShown)
{
    RestScope rest;
    auto* window = new CountingWindow;
    PumpFor(350);
    EXPECT_EQ(window->ticks, 0);
    EXPECT_EQ(wxIdleEvent::GetMode(), wxIDLE_PROCESS_SPECIFIED);
    EXPECT_FALSE(window->HasExtraStyle(wxWS_EX_PROCESS_IDLE));
    window->Show(true);
    EXPECT_TRUE(window->HasExtraStyle(wxWS_EX_PROCESS_IDLE));
    ASSERT_TRUE(PumpUntil([&] { return window->ticks >= 3; }, 2000));
    window->Show(false);
    const int ticks = window->ticks;
    PumpFor(350);
    EXPECT_EQ(window->ticks, ticks);
    EXPECT_FALSE(window->HasExtraStyle(wxWS_EX_PROCESS_IDLE));
    window->Destroy();
    PumpFor(20);
}

// A resting panel window (one with a parent) is made on the desktop only when it is first shown, with
// the title it has by then, and a parent that goes takes the panels it never showed with it.
TEST(RestWhileHidden, APanelWindowIsMadeOnTheDesktopWhenFirstShownAndGoesWithItsParent)
{
    RestScope rest;
    auto* parent = new SkinWindow(nullptr, wxID_ANY, " Parent", wxDEFAULT_FRAME_STYLE, nullptr, 0);
    auto* shown = new SkinWindow(parent, wxID_ANY, " Panel", wxCAPTION | wxFRAME_TOOL_WINDOW, nullptr, 0);
    wxWeakRef<SkinWindow> never = new SkinWindow(parent, wxID_ANY, " Never", wxCAPTION, nullptr, 0);
    EXPECT_EQ(shown->GetHandle(), nullptr);
    shown->SetCaption(" Renamed");
    shown->Show(false);
    EXPECT_EQ(shown->GetHandle(), nullptr);
    shown->Show(true);
    ASSERT_NE(shown->GetHandle(), nullptr);
    EXPECT_EQ(shown->GetTitle(), " Renamed");
    EXPECT_EQ(shown->GetParent(), parent);
    EXPECT_EQ(never->GetHandle(), nullptr);
    delete parent;
    EXPECT_FALSE(never);
    PumpFor(20);
}
