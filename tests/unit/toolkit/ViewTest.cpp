// The view tree on a small page: hit testing, presses, drag polling, hover, focus, hiding, moving.
#include <gtest/gtest.h>

#include "PAL/ParameterSet.h"
#include "PAL/PixelDrawContext.h"
#include "unit/params/ParamTestSupport.h"
#include "support/FakeWindow.h"
#include "unit/toolkit/ProbeView.h"

namespace {

using Log = std::vector<std::string>;

const ParamDescriptor kParams[3] = {
    MakeDescriptor("Alpha", 0, 1, 0.25f, UnitNone, TaperLinear, 0),
    MakeDescriptor("Beta", 0, 1, 0.5f, UnitNone, TaperLinear, 1),
    MakeDescriptor("Gamma", 0, 1, 0.75f, UnitNone, TaperLinear, 2),
};

// Root 20 x 12; A and B overlap at x 6..8, y 4..6; C is hidden and holds D.
const LayoutRecord kTable[] = {
    Record(0, {0, 20, 0, 12}, "Probe", -1, "808080"),
    Record(1, {2, 8, 2, 6}, "Probe", 0, "FF0000", {0}),
    Record(2, {6, 12, 4, 10}, "Probe", 0, "0000FF", {0, 1}),
    Record(3, {14, 18, 2, 6}, "Probe", 0, "00FF00", {2}, 1),
    Record(4, {15, 17, 3, 5}, "Probe", 3, "FFFF00", {1}),
};

struct ViewFixture : testing::Test {
    ViewFixture()
    {
        ProbeView::Register();
        page = std::make_unique<ControlPage>(&set, kTable, 5);
        page->AttachWindow(&window);
        ProbeView::Log().clear();
    }
    View* V(int i) { return page->GetView(i); }
    Log Take()
    {
        Log log = ProbeView::Log();
        ProbeView::Log().clear();
        return log;
    }
    ParameterSet set{kParams, 3};
    FakeWindow window{20, 12};
    std::unique_ptr<ControlPage> page;
};

TEST_F(ViewFixture, HitTestingIncludesEveryEdgePrefersEarlierSiblingsAndSkipsHiddenViews)
{
    struct Case {
        int32_t x, y;
        int expected;  // table position, -1 for none
    } cases[] = {
        {2, 2, 1}, {8, 6, 1},    // A's corners, right and bottom included
        {7, 5, 1},               // overlap: A was added first
        {12, 10, 2}, {9, 5, 2},  // B
        {16, 4, 0},              // under hidden C and its child D: the root
        {20, 12, 0}, {21, 5, -1}, {-1, 0, -1},
    };
    for (const Case& k : cases) {
        View* found = V(0)->FindViewAt(k.x, k.y);
        EXPECT_EQ(found, k.expected < 0 ? nullptr : V(k.expected)) << k.x << "," << k.y;
    }
}

TEST_F(ViewFixture, PressesAndReleasesReachTheLeafAndTheDragIsPolled)
{
    page->OnMouseDown(3, 3, 0, true);
    EXPECT_EQ(Take(), (Log{"1:down 3,3"}));
    EXPECT_TRUE(V(1)->IsTracking());

    window.input.mouseDown = true;
    page->OnMouseMove();
    page->OnMouseMove();
    EXPECT_EQ(Take(), (Log{"1:drag", "1:drag"}));

    window.input.mouseDown = false;
    page->OnMouseDown(10, 9, 0, false);  // the window reports the release at the pointer
    page->OnMouseMove();
    EXPECT_EQ(Take(), (Log{"2:up 10,9", "1:drag", "1:release"}));
    EXPECT_FALSE(V(1)->IsTracking());
    page->OnMouseMove();
    EXPECT_TRUE(Take().empty());

    page->OnMouseDown(16, 4, 0, true);  // on hidden C: nobody reacts
    EXPECT_TRUE(Take().empty());
}

TEST_F(ViewFixture, HidingATrackingViewReleasesItExactlyOnce)
{
    page->OnMouseDown(3, 3, 0, true);
    Take();
    V(1)->SetHidden(true, page->GetContext());
    EXPECT_EQ(Take(), (Log{"1:release"}));
    page->OnMouseMove();
    V(1)->SetHidden(false, page->GetContext());
    page->OnMouseMove();
    EXPECT_TRUE(Take().empty());
}

TEST_F(ViewFixture, HoverFollowsThePointerInAndOutOfControls)
{
    page->OnMouseOver(3, 3);
    page->OnMouseOver(4, 4);       // same control: nothing
    page->OnMouseOver(19, 11);     // onto the root
    page->OnMouseOver(-5, -5);     // out of the window
    page->OnMouseOver(3, 3);       // back onto A
    EXPECT_EQ(Take(), (Log{"1:over", "1:out", "0:over", "0:out", "1:over"}));
    EXPECT_TRUE(V(1)->IsOver());
    EXPECT_FALSE(V(0)->IsOver());
}

TEST_F(ViewFixture, FocusIsExclusiveAndTheLoserIsInvalidated)
{
    page->Paint();
    V(1)->SetFocus(true);
    EXPECT_EQ(V(0)->FindFocused(), V(1));
    page->Paint();
    V(4)->SetFocus(true);
    EXPECT_FALSE(V(1)->HasFocus());
    EXPECT_TRUE(V(1)->IsDirty());
    EXPECT_EQ(V(0)->FindFocused(), V(4));
    EXPECT_EQ(V(0)->FindById(4), V(4));
}

TEST_F(ViewFixture, MovingTheRootMovesTheTreeAndHiddenDirtViewsNeedNoPaint)
{
    page->Paint();
    EXPECT_FALSE(page->NeedsPaint());
    V(4)->Invalidate();  // inside hidden C
    EXPECT_FALSE(page->NeedsPaint());

    V(0)->MoveBy(5, -2);
    EXPECT_TRUE(V(0)->IsDirty());
    const Rect d = V(4)->GetBounds();
    EXPECT_EQ(std::vector<int32_t>({d.left, d.right, d.top, d.bottom}), std::vector<int32_t>({20, 22, 1, 3}));
    page->SetPosition(0, 0);
    EXPECT_EQ(V(4)->GetBounds().left, 15);
}

TEST_F(ViewFixture, TheTooltipNameIsTheFirstBoundParameter)
{
    char name[64] = "untouched";
    V(0)->GetName(name, sizeof name);
    EXPECT_STREQ(name, "untouched");
    V(2)->GetName(name, sizeof name);
    EXPECT_STREQ(name, "Alpha");
}

}  // namespace
