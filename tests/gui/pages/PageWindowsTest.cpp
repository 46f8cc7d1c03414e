// The real windows on the simulated unit: the main page with meters moving from the unit, a custom
// input-mix window whose fader changes the main set, and the sample-rate window changing the rate and
// following the device only while it is shown.
#include <gtest/gtest.h>

#include <set>

#include <wx/uiaction.h>

#include "CtrlPanel/CustomCueMixWindow.h"
#include "CtrlPanel/PanelWindow.h"
#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/BitmapCache.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/MainPage.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/flPPM.h"
#include "PAL/WindowRecords.h"
#include "PAL/wx/ClientPixels.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/GuiPump.h"
#include "support/HalFixture.h"
#include "support/RealArchive.h"

namespace {

constexpr long kStyle = wxCAPTION | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW;

class PageWindowsTest : public HalTest {
protected:
    void SetUp() override
    {
        HalTest::SetUp();
        ASSERT_TRUE(LoadRealArchive());
    }
    void TearDown() override
    {
        input.MouseUp();
        for (SkinWindow* w : windows) {
            w->SetView(nullptr);
            w->Destroy();
        }
        PumpFor(30);
        HalTest::TearDown();
    }
    // Places and shows the window and waits until all of it reached the screen.
    void ShowAndWait(SkinWindow* window, int32_t x, int32_t y)
    {
        windows.push_back(window);
        window->Move(x, y);
        window->Show(true);
        const wxSize size = window->GetClientSize();
        ASSERT_TRUE(PumpUntil(
            [&] { return window->GetSurface().GetFigures().blittedPixels >= int64_t(size.x) * size.y; }));
    }
    void MoveTo(SkinWindow* window, int32_t x, int32_t y)
    {
        const wxPoint target = window->ClientToScreen(wxPoint(x, y));
        input.MouseMove(target);
        PumpUntil([&] { return wxGetMouseState().GetPosition() == target; }, 1000);
    }
    // Pixels in area of what the window shows that differ from the backdrop.
    static int32_t DiffersFromBackdrop(SkinWindow* window, const char* backdrop, const Rect& area)
    {
        const wxImage shot = ReadClientPixels(window);
        const Bitmap* art = BitmapCache::Get(backdrop);
        int32_t n = 0;
        for (int32_t y = area.top; y < area.bottom; ++y)
            for (int32_t x = area.left; x < area.right; ++x)
                n += (uint32_t(shot.GetRed(x, y)) << 16 | shot.GetGreen(x, y) << 8 | shot.GetBlue(x, y)) !=
                     (art->GetPixel(x, y) & 0xFFFFFF);
        return n;
    }

    MainParameterSet main{kMainParamDescriptors, kMainParamCount};
    PageController mainController{&main, nullptr};
    std::vector<SkinWindow*> windows;
    wxUIActionSimulator input;
};

}  // namespace

TEST_F(PageWindowsTest, TheMainPageShowsTheUnitsMetersMoving)
{
    MakeHal();
    hal->SetMixParameters(&main);
    ASSERT_EQ(hal->Open(), 0);
    MainPage page(&main);
    auto* window = new SkinWindow(nullptr, wxID_ANY, " VelbrinControl", kStyle, hal->GetMeterList(), 1);
    window->SetView(&page);
    ShowAndWait(window, 20, 20);
    EXPECT_TRUE(hal->GetMeterList()->IsEnabled(1));

    // As the main frame's timer does, the levels go to the page; the first input's meter (L0, x 268)
    // rises and moves with the unit's signal, on the screen too.
    auto* input0 = static_cast<flPPM*>(page.GetView(MainRecords::kSpdifLeftMeter));
    std::set<float> levels;
    ASSERT_TRUE(PumpUntil(
        [&] {
            page.SetMeterLevels(hal->GetMeterList());
            levels.insert(input0->GetLevel());
            return levels.size() >= 4 && input0->GetLevel() > 0.05f;
        },
        5000));
    PumpFor(150);
    EXPECT_GT(DiffersFromBackdrop(window, "Background.bmp", Rect{268, 271, 39, 135}), 0);
    window->SetView(nullptr);  // before the page goes
}

TEST_F(PageWindowsTest, ACustomInputMixFaderChangesTheMainSet)
{
    auto* window = new CustomMixWindow(CustomMixPage::MainBase(2), &mainController, nullptr,
                                       CustomMixWindow::TitleFor(2), kStyle);
    ShowAndWait(window, 60, 60);
    EXPECT_EQ(window->GetTitle(), " Custom Input Mix for Outputs 5&6");
    EXPECT_EQ(window->GetClientSize(), wxSize(233, 205));

    // "Input 3 Level": the fader at 142..163, 24..152, dragged towards the top.
    MoveTo(window, 152, 100);
    input.MouseDown();
    for (int32_t y = 95; y >= 50; y -= 5)
        MoveTo(window, 152, y);
    input.MouseUp();
    PageController* own = window->GetOwnController();
    const View* fader = own->GetPage()->GetView(CustomInputMixRecords::kInputFaders[2]);
    ASSERT_TRUE(PumpUntil([&] { return own->GetParameter(2) > 0.7f && !fader->IsTracking(); }));
    EXPECT_EQ(main.GetParameter(122), own->GetParameter(2));
    EXPECT_EQ(main.GetParameter(121), 0.5f);  // the other inputs untouched

    // A playback-mix window forwards the same way: "Level 9&10" of outputs 1&2 is main parameter 73.
    auto* cue = new CustomCueMixWindow(CustomCueMixPage::MainBase(0), &mainController, nullptr,
                                       CustomCueMixWindow::TitleFor(0), kStyle);
    windows.push_back(cue);
    EXPECT_EQ(cue->GetTitle(), " Custom Playback Mix for Outputs 1&2");
    cue->GetOwnController()->SetControlValue(5, 0, 0.8f);
    EXPECT_EQ(main.GetParameter(73), 0.8f);
}

TEST_F(PageWindowsTest, TheSampleRateWindowChangesTheRate)
{
    OpenHal();
    auto* window = new PanelWindow(&ResourceArchive::Global(), nullptr, PanelWindow::kTitle, kStyle);
    ShowAndWait(window, 60, 300);
    EXPECT_EQ(window->GetClientSize(), wxSize(93, 93));
    const Rect lamp48k = {14, 27, 26, 33};
    EXPECT_EQ(DiffersFromBackdrop(window, "SampleRate.bmp", lamp48k), 0);

    MoveTo(window, 20, 28);
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return audio.DeviceNominalRate() == 48000.0; }));
    EXPECT_EQ(hal->GetSampleRate(), 48000);
    PumpFor(250);  // a tick or two: the lamp is lit on the screen
    EXPECT_GT(DiffersFromBackdrop(window, "SampleRate.bmp", lamp48k), 20);
}

TEST_F(PageWindowsTest, AHiddenSampleRateWindowFollowsNothingUntilShown)
{
    OpenHal();
    auto* window = new PanelWindow(&ResourceArchive::Global(), nullptr, PanelWindow::kTitle, kStyle);
    windows.push_back(window);
    PageController* panel = window->GetPanel();
    unit.SetSpdifInput(true, true, 0);
    ASSERT_TRUE(WaitFor([&] { return hal->IsSpdifLocked(); }));
    ASSERT_TRUE(hal->SetSampleRate(96000));
    PumpFor(400);  // four ticks of a hidden window
    EXPECT_EQ(panel->GetParameter(SampleRatePanel::kExtLocked), 0.0f);
    EXPECT_EQ(panel->GetParameterValue(SampleRatePanel::kRateIndex), 1.0f);

    window->Move(60, 300);
    window->Show(true);
    ASSERT_TRUE(PumpUntil([&] { return panel->GetParameter(SampleRatePanel::kExtLocked) == 1.0f; }));
    EXPECT_EQ(panel->GetParameterValue(SampleRatePanel::kRateIndex), 4.0f);

    window->Show(false);
    unit.SetSpdifInput(false, false, 0);
    ASSERT_TRUE(WaitFor([&] { return !hal->IsSpdifLocked(); }));
    PumpFor(300);
    EXPECT_EQ(panel->GetParameter(SampleRatePanel::kExtLocked), 1.0f);
}
