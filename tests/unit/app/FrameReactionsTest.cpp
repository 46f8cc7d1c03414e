// The main frame's reactions to the main window's command controls, over fake windows.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "CtrlPanel/device/ParamWriter.h"
#include "PAL/MainPage.h"
#include "PAL/MeterPage.h"
#include "PAL/StereoLink.h"
#include "resources/params/MainParamDescriptors.h"
#include "unit/app/FrameFixture.h"

// Each window command opens its closed window (setting its enable where it has one) and raises it;
// the next press closes it and leaves the enable as it is.
TEST_F(FrameTest, WindowCommandsToggleTheirWindows)
{
    main->SetParameter(65, 1.0f);  // input 1's second slot holds the amp simulator
    const struct {
        int32_t index;
        FakeLinkWindow* window;
        int32_t enable;  // -1: none
    } cases[] = {
        {94, &cueMix[0], 50},  {96, &cueMix[2], 52},         {98, &cueMix[4], 54},
        {99, &inputMix[0], 45}, {101, &inputMix[2], 47},     {103, &inputMix[4], 49},
        {155, &sampleRate, -1}, {144, &effects[kCompressorWindow1], -1}, {145, &effects[kAmpSimWindow1], -1},
        {146, &effects[kCompressorWindow2], -1},             {147, &effects[kEqWindow2], -1},
    };
    for (const auto& c : cases) {
        if (c.enable >= 0)
            main->SetParameter(c.enable, 0.0f);
        Press(c.index);
        EXPECT_TRUE(c.window->shown) << c.index;
        EXPECT_EQ(c.window->raises, 1) << c.index;
        if (c.enable >= 0) {
            EXPECT_EQ(Value(c.enable), 1.0f) << c.index;
        }
        Press(c.index);
        EXPECT_FALSE(c.window->shown) << c.index;
        EXPECT_EQ(c.window->raises, 1) << c.index;
        if (c.enable >= 0) {
            EXPECT_EQ(Value(c.enable), 1.0f) << c.index;
        }
    }
    EXPECT_FALSE(effects[kEqWindow1].shown);
}

TEST_F(FrameTest, SoundCardAndTrackModesPresetTheMixes)
{
    Press(150);
    for (int32_t i = 0; i < 5; ++i) {
        for (int32_t j = 0; j < 5; ++j) {
            EXPECT_EQ(Value(69 + 5 * i + j), i == j ? 1.0f : 0.0f) << i << "," << j;
            EXPECT_EQ(cueMixControllers[i]->GetParameter(j), i == j ? 1.0f : 0.0f) << i << "," << j;
        }
        EXPECT_EQ(Value(50 + i), 1.0f);
        EXPECT_EQ(Value(9 + i), 1.0f);
    }
    Press(153);
    for (int32_t k = 0; k < 5; ++k) {
        EXPECT_EQ(Value(50 + k), 0.0f);
        EXPECT_EQ(Value(19 + k), 1.0f);
        EXPECT_EQ(Value(9 + k), 0.5f);
    }
}

// "Shrink" and "Expand" walk main <-> shrink <-> tiny for both frames; at the ends (and on the
// high-rate page) nothing changes, but the page is still detached and attached again.
TEST_F(FrameTest, ShrinkAndExpandMoveBothFramesAlongTheLayouts)
{
    const struct {
        MeterPage* from;
        int32_t index;
        MeterPage* to;
    } cases[] = {
        {pages.main, 151, pages.shrink}, {pages.shrink, 151, pages.tiny},   {pages.tiny, 151, pages.tiny},
        {pages.tiny, 152, pages.shrink}, {pages.shrink, 152, pages.main},   {pages.main, 152, pages.main},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(standard->GetCurrentPage(), c.from);
        const int pageCalls = standardWindow.pageCalls;
        Press(c.index);
        EXPECT_EQ(standard->GetCurrentPage(), c.to) << c.index;
        EXPECT_EQ(standard->GetNormalPage(), c.to);
        EXPECT_EQ(floating->GetCurrentPage(), c.to);
        EXPECT_EQ(floating->GetNormalPage(), c.to);
        EXPECT_EQ(standardWindow.page, c.to);
        EXPECT_EQ(standardWindow.pageCalls, pageCalls + 2);  // detached, then attached
        EXPECT_TRUE(standard->IsAttached());
        EXPECT_EQ(floatingWindow.page, nullptr);
    }
    standard->UseHighRatePage();
    Press(151);
    EXPECT_EQ(standard->GetCurrentPage(), pages.highRate);
    EXPECT_EQ(standard->GetNormalPage(), pages.main);
}

// "Float Mode" hands the view over: the other frame takes this one's place (its top moved by the
// difference in height) and client size, shows the page and observes the set; this one hides.
TEST_F(FrameTest, FloatModeHandsTheViewToTheOtherFrame)
{
    standardWindow.clientWidth = 640, standardWindow.clientHeight = 404;
    Press(154);
    EXPECT_FALSE(standardWindow.shown);
    EXPECT_EQ(standardWindow.page, nullptr);
    EXPECT_FALSE(standard->IsAttached());
    EXPECT_TRUE(floatingWindow.shown);
    EXPECT_TRUE(floating->IsAttached());
    EXPECT_EQ(floatingWindow.page, pages.main);
    EXPECT_EQ(floatingWindow.x, 100);
    EXPECT_EQ(floatingWindow.y, 200 + 430 - 420);
    EXPECT_EQ(floatingWindow.w, 640);
    EXPECT_EQ(floatingWindow.h, 430);
    // Only the shown frame reacts: the next press comes back.
    Press(154);
    EXPECT_TRUE(standardWindow.shown);
    EXPECT_FALSE(floatingWindow.shown);
    EXPECT_TRUE(standard->IsAttached());
    EXPECT_FALSE(floating->IsAttached());
}

TEST_F(FrameTest, AttachAndDetachAreIdempotent)
{
    const size_t observers = main->GetObserverSlots();
    standard->AttachPage();
    standard->AttachPage();
    EXPECT_EQ(main->GetObserverSlots(), observers);
    // One observer entry: a press is handled once.
    cueMix[1].shown = false;
    Press(95);
    EXPECT_TRUE(cueMix[1].shown);
    standard->DetachPage();
    standard->DetachPage();
    EXPECT_FALSE(standard->IsAttached());
    Press(95);
    EXPECT_TRUE(cueMix[1].shown);  // nobody reacts
}

// "Reverb Panel": with stereo inputs only the first window toggles; in mono both open together, the
// second 16 pixels below the first at the first's size, and close together.
TEST_F(FrameTest, TheReverbPanelOpensOneOrBothWindows)
{
    FakeLinkWindow& first = effects[kReverbWindow1];
    FakeLinkWindow& second = effects[kReverbWindow2];
    first.x = 30, first.y = 40, first.w = 280, first.h = 90;
    const struct {
        bool stereo, firstShown, secondShown;
        bool firstAfter, secondAfter;
        bool secondMoved;
    } cases[] = {
        {true, false, false, true, false, false},  {true, true, false, false, false, false},
        {false, false, false, true, true, true},   {false, true, true, false, false, false},
        {false, false, true, true, true, true},    {false, true, false, true, true, true},
    };
    for (const auto& c : cases) {
        main->SetParameter(24, c.stereo ? 1.0f : 0.0f);
        first.shown = c.firstShown;
        second.shown = c.secondShown;
        second.x = second.y = 0;
        Press(156);
        EXPECT_EQ(first.shown, c.firstAfter) << c.stereo << c.firstShown << c.secondShown;
        EXPECT_EQ(second.shown, c.secondAfter) << c.stereo << c.firstShown << c.secondShown;
        if (c.secondMoved) {
            EXPECT_EQ(second.x, 30);
            EXPECT_EQ(second.y, 40 + 90 + 16);
            EXPECT_EQ(second.w, 280);
            EXPECT_EQ(second.h, 90);
        }
    }
}

// "Mono/Stereo Input Switch": stereo closes the second input's windows and the custom input mixes and
// retitles the first input's windows; mono gives the titles back and reopens the second reverb
// window beside an open first one.
TEST_F(FrameTest, TheStereoSwitchRetitlesAndClosesWindows)
{
    for (FakeLinkWindow& window : effects)
        window.shown = true;
    inputMix[3].shown = true;
    main->SetParameter(24, 1.0f);
    for (int32_t i : {kEqWindow2, kCompressorWindow2, kAmpSimWindow2, kReverbWindow2})
        EXPECT_FALSE(effects[i].shown) << i;
    EXPECT_FALSE(inputMix[3].shown);
    EXPECT_EQ(effects[kEqWindow1].title, " EQ - Stereo");
    EXPECT_EQ(effects[kCompressorWindow1].title, " Compressor - Stereo");
    EXPECT_EQ(effects[kAmpSimWindow1].title, " Amp Simulator - Stereo");
    EXPECT_EQ(effects[kReverbWindow1].title, " Reverb - Stereo");
    main->SetParameter(24, 0.0f);
    for (int32_t i = 0; i < kEffectWindowCount; ++i)
        EXPECT_EQ(effects[i].title, FramePanels::kEffectTitles[i]) << i;
    EXPECT_TRUE(effects[kReverbWindow2].shown);
    EXPECT_FALSE(effects[kEqWindow2].shown);
}

TEST_F(FrameTest, WithoutAMixEngineTheStereoSwitchLeavesTheTitles)
{
    standard.reset();
    floating.reset();
    slots.reset();
    core.reset();  // the HAL goes with the device side
    ASSERT_FALSE(VelbrinHAL::HasInstance());
    MainParameterSet set(kMainParamDescriptors, kMainParamCount);
    MainPage page(&set);
    PageController controller(&set, &page);
    FakeFrameWindow window;
    MainPages only;
    only.main = &page;
    MainFrameLogic logic(window, &controller, only);
    logic.SetShared(&panels, nullptr);
    window.shown = true;
    logic.AttachPage();
    ASSERT_TRUE(logic.IsAttached());
    effects[kEqWindow2].shown = true;
    set.SetParameter(24, 1.0f);
    EXPECT_EQ(effects[kEqWindow1].title, FramePanels::kEffectTitles[kEqWindow1]);
    EXPECT_TRUE(effects[kEqWindow2].shown);
}

// "Use Metering" and parameter 163: the check mark and the meters follow the value, in the hidden
// frame's menu too (it is the one shown after "Float Mode").
TEST_F(FrameTest, MeteringFollowsParameter163)
{
    standard->ToggleMetering();
    EXPECT_EQ(Value(163), 0.0f);
    EXPECT_EQ(standardWindow.metering, 0);
    EXPECT_EQ(floatingWindow.metering, 0);
    standard->ToggleMetering();
    EXPECT_EQ(Value(163), 1.0f);
    EXPECT_EQ(standardWindow.metering, 1);
    EXPECT_EQ(floatingWindow.metering, 1);
    main->SetParameter(163, 0.0f);
    EXPECT_EQ(standardWindow.metering, 0);
    EXPECT_EQ(floatingWindow.metering, 0);
    Press(154);  // Float Mode: the floating frame's menu already shows the switch off
    ASSERT_TRUE(floating->IsAttached());
    floating->ToggleMetering();
    EXPECT_EQ(Value(163), 1.0f);
    EXPECT_EQ(floatingWindow.metering, 1);
    EXPECT_EQ(standardWindow.metering, 1);
}

// From 176.4 kHz the frames show the high-rate page and the effect windows close; below it the last
// normal layout comes back. A hidden frame changes its page without showing itself.
TEST_F(FrameTest, TheHighRatePageFollowsTheRate)
{
    Press(151);
    Press(151);
    ASSERT_EQ(standard->GetNormalPage(), pages.tiny);
    effects[kEqWindow1].shown = effects[kReverbWindow2].shown = true;
    const int floatingShows = floatingWindow.showCalls;
    for (MainFrameLogic* logic : {floating.get(), standard.get()})
        logic->SetSampleRate(192000.0f);
    EXPECT_EQ(standard->GetCurrentPage(), pages.highRate);
    EXPECT_EQ(standardWindow.page, pages.highRate);
    EXPECT_TRUE(standardWindow.shown);
    EXPECT_EQ(floating->GetCurrentPage(), pages.highRate);
    EXPECT_FALSE(floatingWindow.shown);
    EXPECT_EQ(floatingWindow.showCalls, floatingShows);
    for (const FakeLinkWindow& window : effects)
        EXPECT_FALSE(window.shown);
    standard->SetSampleRate(176400.0f);
    standard->SetSampleRate(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(standard->GetCurrentPage(), pages.highRate);
    for (MainFrameLogic* logic : {floating.get(), standard.get()})
        logic->SetSampleRate(96000.0f);
    EXPECT_EQ(standard->GetCurrentPage(), pages.tiny);
    EXPECT_EQ(floating->GetCurrentPage(), pages.tiny);
    EXPECT_EQ(standardWindow.page, pages.tiny);
    EXPECT_FALSE(effects[kEqWindow1].shown);
}
