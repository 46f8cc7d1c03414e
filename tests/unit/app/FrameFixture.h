#pragma once
// Two main frames' reactions (floating and standard) on the application's device side, over fake
// windows: the shared panel windows, the effect slots, and the standard frame shown and attached as
// at start-up.

#include <memory>

#include "CtrlPanel/EffectSlots.h"
#include "CtrlPanel/FramePanels.h"
#include "CtrlPanel/MainFrameLogic.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/MainParameterSet.h"
#include "PAL/ViewLib/PageController.h"
#include "unit/app/AppFixture.h"

class FrameTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        main = core->GetMainSet();
        pages = core->GetPages();
        for (int32_t pair = 0; pair < FramePanels::kPairs; ++pair) {
            panels.inputMix[pair] = &inputMix[pair];
            panels.cueMix[pair] = &cueMix[pair];
            cueMixControllers[pair] = std::make_unique<CustomCueMixPage>();
            panels.cueMixControllers[pair] = cueMixControllers[pair].get();
        }
        panels.sampleRate = &sampleRate;
        for (int32_t i = 0; i < kEffectWindowCount; ++i) {
            effects[i].title = FramePanels::kEffectTitles[i];
            panels.effects[i] = &effects[i];
        }
        PageController* blocks[AppCore::kEffectCount];
        for (int32_t block = 0; block < AppCore::kEffectCount; ++block)
            blocks[block] = core->GetEffect(block);
        slots = std::make_unique<EffectSlots>(main, panels, blocks, core->GetWriter(AppCore::kFxOrderWriter));
        slots->Settle();
        floating = std::make_unique<MainFrameLogic>(floatingWindow, core->GetMainController(), pages);
        standard = std::make_unique<MainFrameLogic>(standardWindow, core->GetMainController(), pages);
        standard->LinkSibling(floating.get());
        floating->SetShared(&panels, slots.get());
        standard->SetShared(&panels, slots.get());
        floating->DetachPage();
        standardWindow.shown = true;
        standardWindow.x = 100, standardWindow.y = 200, standardWindow.w = 640, standardWindow.h = 430;
        floatingWindow.x = 5, floatingWindow.y = 5, floatingWindow.w = 640, floatingWindow.h = 420;
        standard->AttachPage();
    }
    void TearDown() override
    {
        standard.reset();
        floating.reset();
        slots.reset();
        AppTest::TearDown();
    }

    // A press of the main-window control bound to index (every change acts as one).
    void Press(int32_t index) { main->SetParameter(index, main->GetParameter(index) > 0.5f ? 0.0f : 1.0f); }
    float Value(int32_t index) const { return main->GetParameter(index); }

    MainParameterSet* main = nullptr;
    MainPages pages;
    FakeLinkWindow inputMix[FramePanels::kPairs];
    FakeLinkWindow cueMix[FramePanels::kPairs];
    std::unique_ptr<PageController> cueMixControllers[FramePanels::kPairs];
    FakeLinkWindow sampleRate;
    FakeLinkWindow effects[kEffectWindowCount];
    FramePanels panels;
    std::unique_ptr<EffectSlots> slots;
    FakeFrameWindow floatingWindow;
    FakeFrameWindow standardWindow;
    std::unique_ptr<MainFrameLogic> floating;
    std::unique_ptr<MainFrameLogic> standard;
};
