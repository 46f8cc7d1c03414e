// Page controllers, parameter links and stereo links, with fake effect windows.
#include <gtest/gtest.h>

#include "PAL/LinkWindow.h"
#include "PAL/ParameterLink.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterSet.h"
#include "PAL/StereoLink.h"
#include "PAL/ViewLib/PageController.h"
#include "unit/params/ParamTestSupport.h"
#include "unit/toolkit/ProbeView.h"

namespace {

std::vector<ParamDescriptor> Switches(int n)
{
    std::vector<ParamDescriptor> d;
    for (int i = 0; i < n; ++i)
        d.push_back(MakeDescriptor(("S" + std::to_string(i)).c_str(), 0, 1, 0, UnitSwitch, TaperLinear, i));
    return d;
}

struct FakeLinkWindow : LinkWindow {
    FakeLinkWindow(int32_t x, int32_t y, int32_t w, int32_t h) : x(x), y(y), w(w), h(h) {}
    void GetPosition(int32_t& px, int32_t& py) override
    {
        px = x;
        py = y;
    }
    void GetSize(int32_t& pw, int32_t& ph) override
    {
        pw = w;
        ph = h;
    }
    void SetSize(int32_t px, int32_t py, int32_t pw, int32_t ph) override
    {
        x = px, y = py, w = pw, h = ph;
        ++moves;
    }
    bool IsShown() override { return shown; }
    bool Show(bool s) override
    {
        shown = s;
        return true;
    }
    void Raise() override {}
    void SetCaption(const std::string& t) override { title = t; }
    std::string GetCaption() override { return title; }
    int32_t x, y, w, h;
    std::string title;
    bool shown = false;
    int moves = 0;
};

// Main set: 61..66 are the slot switches and the selectors, as in the main window.
struct LinkFixture : testing::Test {
    std::vector<ParamDescriptor> mainDescriptors = Switches(70);
    std::vector<ParamDescriptor> effectDescriptors = Switches(4);
    ParameterSet main{mainDescriptors.data(), 70};
    ParameterSet eq{effectDescriptors.data(), 4};
    ParameterSet amp{effectDescriptors.data(), 4};
    FakeLinkWindow eqWindow{100, 50, 635, 135};
    FakeLinkWindow ampWindow{300, 400, 328, 135};
    static constexpr int kSwitch = 62, kSelector = 65, kEqEnable = 1, kAmpEnable = 2;

    std::unique_ptr<StereoLink> TwoEffectLink()
    {
        return std::make_unique<StereoLink>(&main, kSwitch, &eqWindow, &eq, kEqEnable, &ampWindow, kSelector,
                                            &amp, kAmpEnable);
    }
};

TEST_F(LinkFixture, OppositeLinksSettleAfterOneExchange)
{
    ParameterLink forward(3, 1, &main, &eq);
    ParameterLink back(1, 3, &eq, &main);
    main.SetParameter(3, 1.0f);
    EXPECT_FLOAT_EQ(eq.GetParameter(1), 1.0f);
    eq.SetParameter(1, 0.0f);
    EXPECT_FLOAT_EQ(main.GetParameter(3), 0.0f);
    main.SetParameter(4, 1.0f);  // another index: not copied
    EXPECT_FLOAT_EQ(eq.GetParameter(2), 0.0f);
}

TEST_F(LinkFixture, AOneEffectSlotKeepsSwitchAndEnableEqualAndNeverTouchesWindows)
{
    StereoLink link(&main, 61, &eqWindow, &eq, kEqEnable, nullptr, -1, nullptr, -1);
    link.Relink();
    main.SetParameter(61, 1.0f);
    EXPECT_FLOAT_EQ(eq.GetParameter(kEqEnable), 1.0f);
    EXPECT_TRUE(link.IsLinked());
    eq.SetParameter(kEqEnable, 0.0f);
    EXPECT_FLOAT_EQ(main.GetParameter(61), 0.0f);
    EXPECT_FALSE(link.IsLinked());
    EXPECT_EQ(eqWindow.moves, 0);
}

TEST_F(LinkFixture, ChoosingTheSecondEffectMovesItsWindowAndSwitchesTheFirstOff)
{
    auto link = TwoEffectLink();
    eqWindow.shown = true;
    main.SetParameter(kSwitch, 1.0f);
    EXPECT_FLOAT_EQ(eq.GetParameter(kEqEnable), 1.0f);
    EXPECT_FLOAT_EQ(amp.GetParameter(kAmpEnable), 0.0f);

    main.SetParameter(kSelector, 1.0f);
    EXPECT_TRUE(link->IsSecondSelected());
    EXPECT_EQ(std::make_pair(ampWindow.x, ampWindow.y), std::make_pair(100, 50));
    EXPECT_EQ(std::make_pair(ampWindow.w, ampWindow.h), std::make_pair(328, 135));
    EXPECT_TRUE(ampWindow.shown);
    EXPECT_FALSE(eqWindow.shown);
    EXPECT_FLOAT_EQ(eq.GetParameter(kEqEnable), 0.0f);
    EXPECT_FLOAT_EQ(main.GetParameter(kSwitch), 0.0f);
    EXPECT_FALSE(link->IsLinked());

    // Only the amp simulator follows the switch now.
    main.SetParameter(kSwitch, 1.0f);
    EXPECT_FLOAT_EQ(amp.GetParameter(kAmpEnable), 1.0f);
    EXPECT_FLOAT_EQ(eq.GetParameter(kEqEnable), 0.0f);
}

TEST_F(LinkFixture, LoadingAMixWithAnUnchangedSelectorLeavesTheEffectsAsLoaded)
{
    auto link = TwoEffectLink();
    main.SetParameter(kSelector, 1.0f);
    main.SetParameter(kSwitch, 1.0f);
    ampWindow.shown = true;
    const int moves = ampWindow.moves + eqWindow.moves;
    // A mix load stores every value, then notifies every parameter in index order.
    main.SetParameter(kSwitch, 1.0f);
    amp.SetParameter(kAmpEnable, 1.0f);
    for (int32_t i = 0; i < main.GetParameterCount(); ++i)
        main.NotifyObservers(i);
    EXPECT_FLOAT_EQ(main.GetParameter(kSwitch), 1.0f);
    EXPECT_FLOAT_EQ(amp.GetParameter(kAmpEnable), 1.0f);
    EXPECT_TRUE(link->IsLinked());
    EXPECT_TRUE(ampWindow.shown);
    EXPECT_EQ(ampWindow.moves + eqWindow.moves, moves);
}

TEST_F(LinkFixture, ConstructionPutsTheChosenWindowInPlaceWithoutShowingAnything)
{
    main.SetParameter(kSelector, 1.0f);
    auto link = TwoEffectLink();
    EXPECT_TRUE(link->IsSecondSelected());
    EXPECT_FALSE(eqWindow.shown);
    EXPECT_FALSE(ampWindow.shown);
    EXPECT_EQ(std::make_pair(ampWindow.x, ampWindow.y), std::make_pair(100, 50));
    link.reset();
    EXPECT_FLOAT_EQ(main.GetParameter(kSwitch), 0.0f);
    main.SetParameter(kSwitch, 1.0f);  // no link left behind in any set
    EXPECT_FLOAT_EQ(amp.GetParameter(kAmpEnable), 0.0f);
}

struct HookedController : PageController {
    using PageController::PageController;
    void ParameterChangedHook(int32_t index) override { hooked.push_back(index); }
    void Tick(DrawContext*) override { ++ticks; }
    std::vector<int32_t> hooked;
    int ticks = 0;
};

const LayoutRecord kTable[] = {
    Record(0, {0, 10, 0, 10}, "View", -1, ""),
    Record(1, {1, 3, 1, 3}, "Probe", 0, "FF0000", {0}),
};

TEST(PageControllerTest, AnOwningControllerSeesEveryChangeBeforeItsPage)
{
    ProbeView::Register();
    const auto descriptors = Switches(2);
    HookedController controller(ArchiveSource{}, kTable, 2, descriptors.data(), 2);
    EXPECT_FLOAT_EQ(controller.GetSampleRate(), 44100.0f);
    EXPECT_EQ(controller.GetManufacturerCode(), 0x42524E4Du);
    ProbeView::Log().clear();
    controller.SetParameter(0, 1.0f);
    EXPECT_EQ(controller.hooked, (std::vector<int32_t>{0}));
    EXPECT_EQ(ProbeView::Log(), (std::vector<std::string>{"1:value 0"}));
    controller.SetControlValue(1, 0, 0.0f);
    EXPECT_EQ(controller.hooked, (std::vector<int32_t>{0, 0}));
    controller.Idle();  // no window: the tick still runs
    EXPECT_EQ(controller.ticks, 1);
}

TEST(PageControllerTest, ALinkingControllerLeavesItsSetAndPageAliveAndUnobserved)
{
    ProbeView::Register();
    const auto descriptors = Switches(2);
    ParameterSet set(descriptors.data(), 2);
    ControlPage page(&set, kTable, 2);
    {
        HookedController controller(&set, &page);
        set.SetParameter(1, 1.0f);
        EXPECT_EQ(controller.hooked, (std::vector<int32_t>{1}));
    }
    set.SetParameter(1, 0.0f);  // the controller is gone: nobody calls it
    page.SetValue(1, 0, 0.5f);
    EXPECT_FLOAT_EQ(set.GetParameter(0), 0.5f);
}

// An observer may remove others, or itself, while a notification runs.
TEST(ObserverRemoval, ObserversRemovedDuringANotificationAreNotCalledAgain)
{
    const auto descriptors = Switches(2);
    ParameterSet set(descriptors.data(), 2);
    struct Counter : ParameterObserver {
        void OnParameterChanged(int32_t) override { ++calls; }
        int calls = 0;
    } later;
    struct Remover : ParameterObserver {
        ParameterSet* set;
        ParameterObserver* victim;
        void OnParameterChanged(int32_t) override
        {
            set->RemoveObserver(victim);
            set->RemoveObserver(this);
        }
    } remover;
    remover.set = &set;
    remover.victim = &later;
    set.AddObserver(&remover);
    set.AddObserver(&later);
    set.SetParameter(0, 1.0f);
    set.SetParameter(0, 0.0f);
    EXPECT_EQ(later.calls, 0);
    EXPECT_EQ(set.GetObserverSlots(), 0u);
}

}  // namespace
