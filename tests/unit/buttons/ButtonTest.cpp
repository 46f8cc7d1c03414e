// The two-state buttons on a small page: when each kind acts (press, release inside), what a release
// outside, a hidden or disabled button and a bare release do, the values written, resets, and the
// type buttons' visibility.
#include <gtest/gtest.h>

#include <limits>

#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ViewLib/flButton.h"
#include "PAL/ViewLib/flButton2.h"
#include "PAL/ViewLib/flFXPushButton.h"
#include "PAL/ViewLib/flHPushButton.h"
#include "PAL/ViewLib/flPushButton.h"
#include "support/LayoutRecordMaker.h"
#include "support/TestPage.h"
#include "unit/params/ParamTestSupport.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Kind {
    const char* className;
    const char* strings;
    bool actsOnPress;
    bool setsOnly;  // writes 1.0 whatever the value (flButton2)
};

const Kind kKinds[] = {
    {"flButton", "Enable.bmp\nButtonLitMask.bmp\nBackground.bmp", true, false},
    {"flButton2", "EqLowTypePushBell.bmp\nEqButtonLitMask.bmp\nEqBackground.bmp", true, true},
    {"flPushButton", "PushToggle.bmp\nBackground.bmp", false, false},
    {"flHPushButton", "PushType1.bmp\nToggle1.bmp\n0", false, false},
    {"flFXPushButton", "Comp.bmp\nEq1.bmp\nEq2.bmp\nAmp1.bmp\nAmp2.bmp\nPushComp.bmp\nPushEq1.bmp\nPushEq2.bmp\n"
                       "PushAmp1.bmp\nPushAmp2.bmp\n0", false, false},
    {"flLogoButton", "", false, false},
};

// The pressed look, or the tracking flag of kinds without one.
bool Held(View* v)
{
    if (auto* b = dynamic_cast<flPushButton*>(v))
        return b->IsPressed();
    if (auto* b = dynamic_cast<flHPushButton*>(v))
        return b->IsPressed();
    if (auto* b = dynamic_cast<flFXPushButton*>(v))
        return b->IsPressed();
    return v->IsTracking();
}

// Each value written, as the listener sees it, and whether the button was still held at that moment.
struct Listener : ParameterListener {
    float GetSampleRate() override { return 48000.0f; }
    void ParameterChanged(int32_t index) override
    {
        values.push_back(index == 0 ? set->GetParameter(0) : -1.0f);
        heldDuringWrite = heldDuringWrite || Held(button);
    }
    ParameterSet* set = nullptr;
    View* button = nullptr;
    std::vector<float> values;
    bool heldDuringWrite = false;
};

std::vector<ParamDescriptor> Descriptors()
{
    return {MakeDescriptor("Toggled", 0, 1, 0, UnitNone, TaperLinear, 0),
            MakeDescriptor("Visibility", 0, 1, 0, UnitNone, TaperLinear, 1),
            MakeDescriptor("Other", 0, 1, 0, UnitNone, TaperLinear, 2)};
}

// One button at {10, 25, 10, 25} (x and y 10..25 hit it), inside a plain container {5, 50, 5, 50},
// on a 100 x 60 window; the button binds parameters 0, 1, 2.
struct ButtonPage : TestPage {
    explicit ButtonPage(const Kind& kind)
        : TestPage(Descriptors(),
                   {Record(0, {0, 100, 0, 60}, "View", -1, ""), Record(1, {5, 50, 5, 50}, "View", 0, ""),
                    Record(2, {10, 25, 10, 25}, kind.className, 1, kind.strings, {0, 1, 2})},
                   100, 60)
    {
        listener.set = &set;
        listener.button = V(2);
        set.SetListener(&listener);
    }
    View* button() const { return V(2); }
    float value() const { return set.GetParameter(0); }
    // Stores a normalised value as the polling thread or a mix file may, NaN included, and tells the page.
    void Store(int32_t index, float v)
    {
        set.GetParameterObject(index)->SetNormalisedValue(v);
        page->OnParameterChanged(index);
    }
    const std::vector<float>& Written() const { return listener.values; }
    Listener listener;
};

TEST(Buttons, PressKindsActOnPressTheOthersOnReleaseInsideAndADoubleClickActsTwice)
{
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.className);
        ButtonPage p(kind);
        p.window.input.x = p.window.input.y = 17;
        p.page->OnMouseDown(17, 17, 0, false);  // a bare release does nothing
        p.page->OnMouseMove();
        EXPECT_TRUE(p.Written().empty());
        p.Press(17, 17);
        EXPECT_EQ(p.value(), kind.actsOnPress ? 1.0f : 0.0f);
        EXPECT_EQ(Held(p.button()), !kind.actsOnPress);
        p.Release();
        EXPECT_EQ(p.Written(), std::vector<float>{1.0f});
        EXPECT_FALSE(p.button()->IsTracking());
        // Release-acting kinds have popped up before they write (a listener may open a dialog).
        EXPECT_FALSE(p.listener.heldDuringWrite);
        p.Click(17, 17);
        EXPECT_EQ(p.Written(), kind.setsOnly ? std::vector<float>({1.0f, 1.0f}) : std::vector<float>({1.0f, 0.0f}));
    }
}

TEST(Buttons, AReleaseActsInsideEveryEdgeAndNeitherOutsideNorOnceHidden)
{
    enum Hide { None, Itself, Parent };
    struct Case {
        int32_t x, y;
        Hide hide;
        bool acts;
    } cases[] = {{10, 17, None, true},   {25, 17, None, true},   {17, 10, None, true}, {25, 25, None, true},
                 {9, 17, None, false},   {26, 17, None, false},  {17, 9, None, false}, {17, 26, None, false},
                 {17, 17, Itself, false}, {17, 17, Parent, false}};
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.className) + " at " + std::to_string(c.x) + "," + std::to_string(c.y) +
                         " hide " + std::to_string(c.hide));
            ButtonPage p(kind);
            p.Press(17, 17);
            p.MoveTo(c.x, c.y);
            if (c.hide != None)
                p.V(c.hide == Itself ? 2 : 1)->SetHidden(true, p.page->GetContext());
            // Hidden itself it pops up at once; otherwise at the release.
            EXPECT_EQ(Held(p.button()), c.hide != Itself && !kind.actsOnPress);
            p.Release();
            EXPECT_EQ(p.Written(), kind.actsOnPress || c.acts ? std::vector<float>{1.0f} : std::vector<float>{});
            EXPECT_FALSE(Held(p.button()) || p.button()->IsTracking());
            if (c.hide != None) {  // shown again, it is not stuck
                p.V(c.hide == Itself ? 2 : 1)->SetHidden(false, p.page->GetContext());
                p.Click(17, 17);
                EXPECT_EQ(p.value(), kind.actsOnPress && !kind.setsOnly ? 0.0f : 1.0f);
            }
        }
    }
}

TEST(Buttons, OnlyZeroOrOneIsWrittenWhateverTheStoredValueAltResetsAndControlIsAPlainClick)
{
    struct Case {
        float stored, toggled;
    } cases[] = {{0.7f, 0.0f}, {1.5f, 0.0f}, {-0.2f, 0.0f}, {kNaN, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}};
    for (const Kind& kind : kKinds) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.className) + " from " + std::to_string(c.stored));
            ButtonPage p(kind);
            p.Store(0, c.stored);
            p.Click(17, 17);
            EXPECT_EQ(p.Written(), std::vector<float>{kind.setsOnly ? 1.0f : c.toggled});
        }
        ButtonPage p(kind);
        p.Store(0, 1.0f);
        p.window.input.option = true;
        p.Click(17, 17);
        EXPECT_EQ(p.value(), 0.0f);  // the default
        EXPECT_FALSE(p.button()->IsTracking());
        p.window.input.option = false;
        p.window.input.command = true;
        p.Click(17, 17);
        EXPECT_EQ(p.value(), 1.0f);
    }
}

TEST(Buttons, ADisabledButtonIgnoresPressesButFollowsItsParameterAndTheLogoNeverRepaints)
{
    ButtonPage one(kKinds[0]), two(kKinds[1]), logo(kKinds[5]);
    static_cast<flButton*>(one.button())->SetEnabled(false);
    static_cast<flButton2*>(two.button())->SetEnabled(false);
    for (ButtonPage* p : {&one, &two}) {
        p->PaintIfNeeded();
        p->Click(17, 17);
        EXPECT_TRUE(p->Written().empty());
        EXPECT_FALSE(p->page->NeedsPaint());
        p->set.SetParameter(0, 1.0f);
        EXPECT_TRUE(p->page->NeedsPaint());
    }
    EXPECT_EQ(static_cast<flButton*>(one.button())->GetValue(), 1.0f);
    EXPECT_EQ(static_cast<flButton2*>(two.button())->GetValue(), 1.0f);

    logo.PaintIfNeeded();
    logo.Click(17, 17);
    logo.set.SetParameter(0, 0.0f);
    EXPECT_EQ(logo.Written(), std::vector<float>{1.0f});
    EXPECT_FALSE(logo.page->NeedsPaint());
}

TEST(HPushButton, ShownOnlyWhileItsVisibilityParameterEqualsTheModeDigitAndHiddenItEndsThePress)
{
    struct Case {
        const char* digit;
        float visibility;
        bool hidden;
    } cases[] = {{"0", 0.0f, false}, {"0", 1.0f, true}, {"0", 0.5f, true}, {"0", kNaN, true},
                 {"1", 1.0f, false}, {"1", 0.0f, true}, {"1", 0.5f, true}, {"x", 0.0f, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.digit) + " " + std::to_string(c.visibility));
        const std::string strings = std::string("PushType1.bmp\nToggle1.bmp\n") + c.digit;
        ButtonPage p({"flHPushButton", strings.c_str(), false, false});
        p.Store(1, c.visibility);
        EXPECT_EQ(p.button()->IsHidden(), c.hidden);
        // A hidden button takes no click; the click goes to the container.
        p.Click(17, 17);
        EXPECT_EQ(p.value(), c.hidden ? 0.0f : 1.0f);
    }
    // Hidden by its parameter while held, it ends the press without a write.
    ButtonPage p(kKinds[3]);
    p.Press(17, 17);
    p.set.SetParameter(1, 1.0f);
    EXPECT_TRUE(p.button()->IsHidden());
    EXPECT_FALSE(Held(p.button()) || p.button()->IsTracking());
    p.Release();
    EXPECT_TRUE(p.Written().empty());
}

}  // namespace
