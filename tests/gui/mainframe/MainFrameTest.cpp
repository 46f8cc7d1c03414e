// The main frames as the user meets them: the panel windows the first frame makes and both share, the
// Help menu, the About box, the layout buttons and "Float Mode" clicked on screen, an effect window
// opened from the main window, the high-rate page, and closing one frame taking the other along.
#include <gtest/gtest.h>

#include <wx/menu.h>

#include "CtrlPanel/CustomCueMixWindow.h"
#include "CtrlPanel/CustomMixWindow.h"
#include "CtrlPanel/EffectSlots.h"
#include "CtrlPanel/PanelWindow.h"
#include "CtrlPanel/device/MeterList.h"
#include "PAL/LayoutTables.h"
#include "PAL/MeterPage.h"
#include "PAL/ViewLib/PageController.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/WindowRecords.h"
#include "gui/mainframe/MainFrameFixture.h"

TEST_F(MainFrameTest, TheFirstFrameMakesThePanelWindowsAndTheSecondSharesThem)
{
    EXPECT_EQ(standard->GetTitle(), " VelbrinControl");
    EXPECT_EQ(&standard->GetPanels(), &floating->GetPanels());
    EXPECT_EQ(standard->GetSlots(), floating->GetSlots());
    for (int32_t pair = 0; pair < 5; ++pair) {
        const wxString outputs = wxString::Format("%d&%d", 2 * pair + 1, 2 * pair + 2);
        EXPECT_EQ(standard->GetInputMixWindow(pair), floating->GetInputMixWindow(pair));
        EXPECT_EQ(floating->GetInputMixWindow(pair)->GetTitle(), " Custom Input Mix for Outputs " + outputs);
        EXPECT_EQ(floating->GetCueMixWindow(pair)->GetTitle(), " Custom Playback Mix for Outputs " + outputs);
        EXPECT_EQ(floating->GetInputMixWindow(pair)->GetParent(), floating.get());
    }
    const struct {
        int32_t window;
        const char* title;
        int32_t group;
        LayoutWindow layout;
    } effects[] = {
        {kEqWindow1, " EQ - Analog Input 1", 4, LayoutWindow::Eq},
        {kEqWindow2, " EQ - Analog Input 2", 5, LayoutWindow::Eq},
        {kCompressorWindow1, " Compressor - Analog Input 1", 2, LayoutWindow::Compressor},
        {kCompressorWindow2, " Compressor - Analog Input 2", 3, LayoutWindow::Compressor},
        {kAmpSimWindow1, " Amp Simulator - Analog Input 1", 6, LayoutWindow::AmpSim},
        {kAmpSimWindow2, " Amp Simulator - Analog Input 2", 7, LayoutWindow::AmpSim},
        {kReverbWindow1, " Reverb - Analog Input 1", 0, LayoutWindow::Reverb},
        {kReverbWindow2, " Reverb - Analog Input 2", 0, LayoutWindow::Reverb},
    };
    for (const auto& e : effects) {
        SkinWindow* window = floating->GetEffectWindow(e.window);
        ASSERT_NE(window, nullptr) << e.title;
        EXPECT_EQ(window->GetTitle(), e.title);
        EXPECT_EQ(window->GetMeterGroup(), e.group) << e.title;
        EXPECT_TRUE(window->HasFlag(wxFRAME_FLOAT_ON_PARENT)) << e.title;
        EXPECT_TRUE(window->HasFlag(wxCLOSE_BOX)) << e.title;
        EXPECT_NE(window->GetView(), nullptr) << e.title;
        const LayoutTable& table = GetLayoutTable(e.layout);
        EXPECT_EQ(window->GetView()->GetTable(), table.records) << e.title;
        EXPECT_EQ(window->GetClientSize(), wxSize(table.width, table.height)) << e.title;
        EXPECT_FALSE(window->IsShown()) << e.title;
    }
    EXPECT_EQ(floating->GetSampleRateWindow()->GetTitle(), " Sample Rate");
    EXPECT_TRUE(hal->GetMeterList()->IsEnabled(1));
    EXPECT_TRUE(floating->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(standard->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(standard->HasFlag(wxMINIMIZE_BOX));
}

TEST_F(MainFrameTest, TheHelpMenuUsesItsOwnItemNumbers)
{
    wxMenu* help = standard->GetHelpMenu();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(standard->GetMenuBar()->GetMenuLabelText(0), "Help");
    const struct {
        int id;
        const char* label;
        std::string url;
    } items[] = {
        {5013, "About VelbrinControl", ""},
        {5014, "Online support", VelbrinControlFrame::kSupportUrl},
        {5015, "Updates & downloads", VelbrinControlFrame::kUpdatesUrl},
        {5016, "Use Metering", ""},
    };
    for (const auto& item : items) {
        ASSERT_NE(help->FindItem(item.id), nullptr) << item.id;
        EXPECT_EQ(help->GetLabelText(item.id), item.label);
        EXPECT_EQ(VelbrinControlFrame::UrlFor(item.id), item.url);
    }
    EXPECT_EQ(help->FindItem(5013)->GetAccel()->ToString(), "F1");
    EXPECT_TRUE(help->FindItem(5016)->IsCheckable());
    EXPECT_TRUE(help->IsChecked(5016));
}

TEST_F(MainFrameTest, UseMeteringFlipsTheSwitchTheCheckMarkAndTheMeters)
{
    MeterList* meters = hal->GetMeterList();
    for (bool on : {false, true}) {
        wxCommandEvent command(wxEVT_MENU, VelbrinControlFrame::kMeteringId);
        standard->ProcessWindowEvent(command);
        EXPECT_EQ(standard->GetHelpMenu()->IsChecked(5016), on);
        EXPECT_EQ(meters->IsDisabled(), !on);
        EXPECT_EQ(core->GetMainController()->GetParameter(163), on ? 1.0f : 0.0f);
    }
}

// With metering off nothing is read: the main window's meters fall back as when the signal stops
// instead of standing at their last level.
TEST_F(MainFrameTest, MetersFallBackWhileMeteringIsOff)
{
    MeterList* meters = hal->GetMeterList();
    auto* meter = dynamic_cast<flPPM*>(core->GetPages().main->GetView(MainRecords::kSpdifLeftMeter));  // level 0
    ASSERT_NE(meter, nullptr);
    meters->SetMeter(0, 0.81f);
    standard->Tick();
    const float lit = meter->GetLevel();
    ASSERT_NEAR(lit, 0.8f / 0.9f, 1e-5);
    wxCommandEvent command(wxEVT_MENU, VelbrinControlFrame::kMeteringId);
    standard->ProcessWindowEvent(command);
    ASSERT_TRUE(meters->IsDisabled());
    float expected = lit;
    for (int tick = 1; tick <= 3; ++tick) {
        standard->Tick();
        expected *= 0.9f;
        EXPECT_NEAR(meter->GetLevel(), expected, 1e-5) << "tick " << tick;
    }
}

TEST_F(MainFrameTest, AboutShowsTheUnitsVersionsInABoxOfTheShownFrame)
{
    WaitFor([&] { return hal->GetMonitor()->HasDevice(); });
    ASSERT_TRUE(hal->EnsureOpen());
    wxCommandEvent command(wxEVT_MENU, VelbrinControlFrame::kAboutId);
    standard->ProcessWindowEvent(command);
    ASSERT_EQ(messages.messages.size(), 1u);
    const std::string& box = messages.messages[0];
    EXPECT_EQ(box.rfind("VelbrinControl|VelbrinControl Version 2.3b1  (build 7630)\n\nVelbrin firmware Version ", 0), 0u)
        << box;
    EXPECT_NE(box.find("\nDSP firmware Version "), std::string::npos) << box;
    EXPECT_EQ(messages.styles[0], MessageStyle::Ok | MessageStyle::IconInformation);
}

// The layout buttons clicked on screen: the frame takes each page's size; "Float Mode" hands the view
// to the floating frame, which has the same client size; on the smallest page it comes back.
TEST_F(MainFrameTest, LayoutButtonsAndFloatModeOnScreen)
{
    const MainPages pages = core->GetPages();
    const struct {
        wxPoint button;  // on the page shown before the click
        MeterPage* page;
        wxSize size;
        bool floatingShown;
    } clicks[] = {
        {{624, 355}, pages.shrink, {361, 316}, false},  // "Shrink" on the main page
        {{347, 131}, pages.tiny, {389, 68}, false},     // "Shrink" on the reduced page
        {{375, 56}, pages.tiny, {389, 68}, true},       // "Float Mode" on the smallest page
        {{375, 42}, pages.shrink, {361, 316}, true},    // "Expand", in the floating frame
        {{347, 153}, pages.shrink, {361, 316}, false},  // "Float Mode" back
        {{347, 117}, pages.main, {640, 404}, false},    // "Expand"
    };
    for (const auto& c : clicks) {
        VelbrinControlFrame* shown = floating->IsShown() ? floating.get() : standard.get();
        ClickAt(shown, c.button.x, c.button.y);
        VelbrinControlFrame* now = c.floatingShown ? floating.get() : standard.get();
        VelbrinControlFrame* other = c.floatingShown ? standard.get() : floating.get();
        ASSERT_TRUE(PumpUntil([&] { return now->IsShown() && !other->IsShown(); })) << c.button.x << "," << c.button.y;
        EXPECT_EQ(now->GetView(), c.page);
        EXPECT_EQ(now->GetClientSize(), c.size);
        EXPECT_EQ(now->Logic().GetCurrentPage(), c.page);
        EXPECT_EQ(other->Logic().GetCurrentPage(), c.page);
        EXPECT_EQ(other->GetView(), nullptr);
        EXPECT_TRUE(now->Logic().IsAttached());
        EXPECT_FALSE(other->Logic().IsAttached());
    }
}

// "Input 1 FX 1" clicked on screen opens the compressor window of input 1 and its meters are read.
TEST_F(MainFrameTest, AnEffectButtonOpensItsWindowWithItsMeters)
{
    SkinWindow* compressor = standard->GetEffectWindow(kCompressorWindow1);
    MeterList* meters = hal->GetMeterList();
    ASSERT_FALSE(meters->IsEnabled(2));
    ClickAt(standard.get(), 49, 47);
    ASSERT_TRUE(PumpUntil([&] { return compressor->IsShown(); }));
    EXPECT_TRUE(meters->IsEnabled(2));
    EXPECT_EQ(meters->Entries().front().group, 2u);
    compressor->Close();
    ASSERT_TRUE(PumpUntil([&] { return !compressor->IsShown(); }));
    EXPECT_FALSE(meters->IsEnabled(2));
}

TEST_F(MainFrameTest, TheHighRatePageClosesTheEffectWindows)
{
    SkinWindow* eq = standard->GetEffectWindow(kEqWindow1);
    eq->Show(true);
    for (VelbrinControlFrame* frame : {floating.get(), standard.get()})
        frame->SetSampleRate(192000.0f);
    EXPECT_EQ(standard->GetClientSize(), wxSize(640, 94));
    EXPECT_TRUE(standard->IsShown());
    EXPECT_FALSE(floating->IsShown());
    EXPECT_FALSE(eq->IsShown());
    for (VelbrinControlFrame* frame : {floating.get(), standard.get()})
        frame->SetSampleRate(48000.0f);
    EXPECT_EQ(standard->GetClientSize(), wxSize(640, 404));
    EXPECT_FALSE(eq->IsShown());
}

TEST_F(MainFrameTest, ClosingOneFrameDestroysBothWithTheirWindows)
{
    wxWeakRef<SkinWindow> eq = standard->GetEffectWindow(kEqWindow1);
    wxWeakRef<CustomMixWindow> mix = standard->GetInputMixWindow(2);
    standard->Close();
    ASSERT_TRUE(PumpUntil([&] { return !standard && !floating; }));
    EXPECT_FALSE(eq);
    EXPECT_FALSE(mix);
    // The pages are free again: no frame observes the main set any more.
    core->GetMainController()->SetParameter(151, 1.0f);
    EXPECT_EQ(core->GetPages().main->GetContext(), nullptr);
}


// After a load (the frames detached meanwhile): the custom-mix windows show the loaded values, and
// the metering switch, the effect order and the stereo titles follow the loaded main set; following
// the same mix again changes nothing more.
TEST_F(MainFrameTest, TheWindowsFollowALoadedMix)
{
    PageController* main = core->GetMainController();
    floating->DetachPage();
    standard->DetachPage();
    const struct {
        int32_t index;
        float value;
    } loaded[] = {{104 + 16 + 3, 0.125f}, {69 + 20 + 1, 0.75f}, {163, 0.0f}, {67, 0.0f}, {24, 1.0f}};
    for (const auto& value : loaded)
        main->SetParameter(value.index, value.value);
    for (int pass = 0; pass < 2; ++pass) {
        VelbrinControlFrame::FollowMix(floating.get(), standard.get(), main, true);
        EXPECT_EQ(standard->GetInputMixWindow(2)->GetOwnController()->GetParameter(3), 0.125f);
        EXPECT_EQ(standard->GetCueMixWindow(4)->GetOwnController()->GetParameter(1), 0.75f);
        EXPECT_FALSE(standard->GetHelpMenu()->IsChecked(5016));
        EXPECT_FALSE(floating->GetHelpMenu()->IsChecked(5016));
        EXPECT_TRUE(hal->GetMeterList()->IsDisabled());
        EXPECT_FALSE(standard->GetSlots()->IsCompressorFirst(0)) << pass;
        EXPECT_TRUE(standard->GetSlots()->IsCompressorFirst(1)) << pass;
        EXPECT_EQ(standard->GetEffectWindow(kEqWindow1)->GetTitle(), " EQ - Stereo");
    }
    standard->AttachPage();
    EXPECT_EQ(standard->GetView(), core->GetPages().main);
}
