// The real windows on the simulated unit: the main page with meters moving from the unit, a custom
// input-mix window whose fader changes the main set, and the sample-rate window changing the rate
// (and following the device only while it is shown).
#include <gtest/gtest.h>

#include <set>

#include <wx/uiaction.h>

#include "CtrlPanel/CustomCueMixWindow.h"
#include "CtrlPanel/CustomMixWindow.h"
#include "CtrlPanel/PanelWindow.h"
#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/BitmapCache.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/MainPage.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/flPPM.h"
#include "platform/wx/ClientPixels.h"
#include "resources/params/MainParamDescriptors.h"
#include "support/GuiPump.h"
#include "support/HalFixture.h"
#include "support/RealArchive.h"

namespace {

constexpr long kStyle = wxCAPTION | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW;

// The main window as the main frame drives it: every tick first hands the page the meter levels.
class MeterWindow : public SkinWindow {
public:
    MeterWindow(MainPage* page, MeterList* meters)
        : SkinWindow(nullptr, wxID_ANY, " VelbrinControl", kStyle, meters, 1, wxPoint(20, 20)), m_page(page),
          m_meters(meters)
    {
        SetView(page);
    }
    void OnTick() override { m_page->SetMeterLevels(m_meters); }

private:
    MainPage* m_page;
    MeterList* m_meters;
};

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

    // Shows the window and waits until all of it reached the screen.
    void ShowAndWait(SkinWindow* window)
    {
        windows.push_back(window);
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
    // Presses at (x, fromY), moves up to toY in small steps, releases.
    void DragUp(SkinWindow* window, int32_t x, int32_t fromY, int32_t toY)
    {
        MoveTo(window, x, fromY);
        input.MouseDown();
        for (int32_t y = fromY - 5; y >= toY; y -= 5)
            MoveTo(window, x, y);
        input.MouseUp();
    }

    MainParameterSet main{kMainParamDescriptors, kMainParamCount};
    PageController mainController{&main, nullptr};
    std::vector<SkinWindow*> windows;
    wxUIActionSimulator input;
};

// Pixels of the shot inside area that differ from the backdrop.
int32_t DiffersFromBackdrop(const wxImage& shot, const char* backdrop, const Rect& area)
{
    const Bitmap* art = BitmapCache::Get(backdrop);
    int32_t n = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            const uint32_t p = art->GetPixel(x, y);
            const bool same = shot.GetRed(x, y) == ((p >> 16) & 0xFF) && shot.GetGreen(x, y) == ((p >> 8) & 0xFF) &&
                              shot.GetBlue(x, y) == (p & 0xFF);
            n += same ? 0 : 1;
        }
    }
    return n;
}

}  // namespace

TEST_F(PageWindowsTest, TheMainPageShowsTheUnitsMetersMoving)
{
    MakeHal();
    hal->SetMixParameters(&main);
    ASSERT_EQ(hal->Open(), 0);
    MainPage page(&main);
    auto* window = new MeterWindow(&page, hal->GetMeterList());
    ShowAndWait(window);
    EXPECT_TRUE(hal->GetMeterList()->IsEnabled(1));

    // The first input's meter (L0, x 268) rises and moves with the unit's signal.
    auto* input0 = static_cast<flPPM*>(page.GetView(126));
    std::set<float> levels;
    ASSERT_TRUE(PumpUntil(
        [&] {
            levels.insert(input0->GetLevel());
            return levels.size() >= 4 && input0->GetLevel() > 0.05f;
        },
        5000));
    PumpFor(150);
    const wxImage shot = ReadClientPixels(window);
    EXPECT_EQ(FirstDifference(shot, *window->GetSurface().GetBackBuffer()), wxPoint(-1, -1));
    EXPECT_GT(DiffersFromBackdrop(shot, "Background.bmp", Rect{268, 271, 39, 135}), 0);
    window->SetView(nullptr);  // before the page goes
}

TEST_F(PageWindowsTest, ACustomInputMixFaderChangesTheMainSet)
{
    constexpr int32_t kPair = 2;  // outputs 5&6
    auto* window = new CustomMixWindow(CustomMixPage::MainBase(kPair), &mainController, nullptr,
                                       CustomMixWindow::TitleFor(kPair), kStyle);
    window->Move(60, 60);
    ShowAndWait(window);
    EXPECT_EQ(window->GetTitle(), " Custom Input Mix for Outputs 5&6");
    EXPECT_EQ(window->GetClientSize(), wxSize(233, 205));

    // "Input 3 Level": the fader at 142..163, 24..152; drag it towards the top.
    PageController* own = window->GetOwnController();
    DragUp(window, 152, 100, 50);
    ASSERT_TRUE(
        PumpUntil([&] { return own->GetParameter(2) > 0.7f && !own->GetPage()->GetView(3)->IsTracking(); }));
    EXPECT_EQ(main.GetParameter(122), own->GetParameter(2));
    EXPECT_EQ(main.GetParameter(120), 0.5f);  // the other inputs untouched
    EXPECT_EQ(main.GetParameter(121), 0.5f);

    // A playback-mix window forwards the same way: "Level 9&10" of outputs 1&2 is main parameter 73.
    auto* cue = new CustomCueMixWindow(CustomCueMixPage::MainBase(0), &mainController, nullptr,
                                       CustomCueMixWindow::TitleFor(0), kStyle);
    cue->Move(340, 60);
    ShowAndWait(cue);
    EXPECT_EQ(cue->GetTitle(), " Custom Playback Mix for Outputs 1&2");
    PageController* cueOwn = cue->GetOwnController();
    DragUp(cue, 286, 140, 60);
    ASSERT_TRUE(
        PumpUntil([&] { return cueOwn->GetParameter(4) > 0.7f && !cueOwn->GetPage()->GetView(5)->IsTracking(); }));
    EXPECT_EQ(main.GetParameter(73), cueOwn->GetParameter(4));
}

TEST_F(PageWindowsTest, TheSampleRateWindowChangesTheRate)
{
    OpenHal();
    auto* window = new PanelWindow(&ResourceArchive::Global(), nullptr, PanelWindow::kTitle, kStyle);
    window->Move(60, 300);
    ShowAndWait(window);
    EXPECT_EQ(window->GetClientSize(), wxSize(93, 93));
    EXPECT_EQ(window->GetTitle(), " Sample Rate");
    const wxImage before = ReadClientPixels(window);

    MoveTo(window, 20, 28);  // the 48 kHz lamp (record 5: 14..27, 24..33)
    input.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return audio.DeviceNominalRate() == 48000.0; }));
    EXPECT_EQ(hal->GetSampleRate(), 48000);
    PumpFor(250);  // a tick or two: the lamps follow
    const wxImage after = ReadClientPixels(window);
    int32_t changed = 0;
    for (int32_t y = 16; y < 33; ++y)
        for (int32_t x = 14; x < 27; ++x)
            changed += before.GetRed(x, y) != after.GetRed(x, y) || before.GetGreen(x, y) != after.GetGreen(x, y);
    EXPECT_GT(changed, 20);  // 44.1 kHz went out, 48 kHz lit
    EXPECT_EQ(FirstDifference(after, *window->GetSurface().GetBackBuffer()), wxPoint(-1, -1));
}

TEST_F(PageWindowsTest, AHiddenSampleRateWindowFollowsNothingUntilShown)
{
    OpenHal();
    auto* window = new PanelWindow(&ResourceArchive::Global(), nullptr, PanelWindow::kTitle, kStyle);
    windows.push_back(window);
    PageController* panel = window->GetPanel();
    ASSERT_NE(panel, nullptr);
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

    // A window made without an archive has no panel and ticks harmlessly.
    auto* empty = new PanelWindow(nullptr, nullptr, PanelWindow::kTitle, kStyle);
    windows.push_back(empty);
    empty->Show(true);
    PumpFor(250);
    EXPECT_EQ(empty->GetPanel(), nullptr);
    EXPECT_EQ(empty->GetView(), nullptr);
}
