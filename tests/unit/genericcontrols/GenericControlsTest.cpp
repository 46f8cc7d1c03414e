// The toolkit's own control kinds on test pages: what they draw (against the real artwork or exact
// pictures), the value each drag law writes, clamping of any stored value, and the text box's keys.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PAL/BitmapCache.h"
#include "PAL/BitmapFont.h"
#include "PAL/ViewLib/HSlider.h"
#include "PAL/ViewLib/Knob.h"
#include "PAL/ViewLib/PButton.h"
#include "PAL/ViewLib/Slider.h"
#include "PAL/ViewLib/TextBox.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/genericcontrols/ArtworkCompare.h"
#include "unit/params/ParamTestSupport.h"

namespace {

std::vector<ParamDescriptor> OneValue()
{
    return {MakeDescriptor("Value", 0, 1, 0.5f, UnitNone, TaperLinear, 0)};
}

// A page of a plain root and one control (position 1) bound to the parameter.
TestPage OneControl(const char* cls, Rect r, const char* strings, int32_t width, int32_t height)
{
    return TestPage(OneValue(), {Record(0, {0, width, 0, height}, "View", -1, ""), Record(1, r, cls, 0, strings, {0})},
                    width, height);
}

float Param(TestPage& t)
{
    return t.set.GetParameter(0);
}

TEST(GenericKnob, FrameIsHeldToTheStripForAnyValue)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Case {
        int32_t width;  // 783-pixel strip: 27 gives 29 frames, 78 gives 10
        float value;
        int32_t frame;
    } cases[] = {
        {78, 1.0f, 9}, {78, 0.05f, 0}, {78, 0.5f, 5}, {78, 0.999f, 9},
        {27, 0.0f, 0}, {27, 0.05f, 1}, {27, 1.0f, 28}, {27, 7.0f, 28}, {27, -3.0f, 0},
    };
    for (const Case& c : cases) {
        const Rect r = {4, 4 + c.width, 2, 29};
        TestPage t = OneControl("Knob", r, "KnobTrackRotation.bmp", 90, 32);
        t.page->SetValue(1, 0, c.value);  // stored unclamped
        t.PaintIfNeeded();
        auto* knob = t.As<Knob>(1);
        EXPECT_EQ(knob->GetFrame(), c.frame) << c.width << " " << c.value;
        const Bitmap* strip = BitmapCache::Get("KnobTrackRotation.bmp");
        EXPECT_EQ(Differences(t.window.buffer, r, *strip, c.frame * c.width, 0), 0) << c.width << " " << c.value;
    }
}

TEST(GenericKnob, DragValueIsTheAngleBelowTheCentreGrowingThroughTheLeft)
{
    ASSERT_TRUE(LoadRealArchive());
    // Centre (23, 23).
    struct Case {
        int32_t x, y;
        float value;
    } cases[] = {
        {23, 23, 0.0f}, {23, 40, 0.0f},  {5, 23, 0.25f},   {23, 2, 0.5f},
        {40, 23, 0.75f}, {13, 33, 0.125f}, {33, 13, 0.625f}, {33, 33, 0.875f},
    };
    for (const Case& c : cases) {
        TestPage t = OneControl("Knob", {10, 37, 10, 37}, "KnobTrackRotation.bmp", 50, 50);
        t.Press(23, 23);
        t.MoveTo(c.x, c.y);
        EXPECT_NEAR(Param(t), c.value, 1e-6) << c.x << "," << c.y;
        EXPECT_FALSE(t.window.changed.empty());  // repainted during the drag
        t.Release();
        EXPECT_FALSE(t.V(1)->IsTracking());
    }
}

TEST(GenericKnob, ZeroWidthKnobHasNoFramesAndDrawsNothing)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t = OneControl("Knob", {10, 10, 10, 37}, "KnobTrackRotation.bmp", 50, 50);
    t.page->SetValue(1, 0, 1.0f);
    t.PaintIfNeeded();
    EXPECT_EQ(t.As<Knob>(1)->GetFrameCount(), 0);
    EXPECT_TRUE(t.window.changed.empty());
}

TEST(GenericHSlider, ThumbCentresUnderThePointerAndStaysOnTheTrack)
{
    ASSERT_TRUE(LoadRealArchive());
    // 113 wide with a 13-pixel thumb: travel 100.
    struct Case {
        int32_t x;
        float value;
    } cases[] = {{6, 0.0f}, {31, 0.25f}, {56, 0.5f}, {106, 1.0f}, {-50, 0.0f}, {400, 1.0f}};
    for (const Case& c : cases) {
        TestPage t = OneControl("HSlider", {0, 113, 0, 15}, "XFaderHandle.bmp", 120, 20);
        EXPECT_EQ(t.As<HSlider>(1)->GetTravel(), 100);
        t.Press(56, 5);
        t.MoveTo(c.x, 5);
        t.Release();
        EXPECT_FLOAT_EQ(Param(t), c.value) << c.x;
    }

    TestPage t = OneControl("HSlider", {0, 113, 0, 15}, "XFaderHandle.bmp", 120, 20);
    t.page->SetValue(1, 0, 0.5f);
    t.PaintIfNeeded();
    const Bitmap* thumb = BitmapCache::Get("XFaderHandle.bmp");
    EXPECT_EQ(Differences(t.window.buffer, {50, 63, 0, 15}, *thumb, 0, 0), 0);
    EXPECT_EQ(t.window.buffer.GetPixel(10, 7), 0x000000u);  // the track's middle line
    EXPECT_EQ(t.window.buffer.GetPixel(10, 6), 0xFFFFFFu);
    EXPECT_EQ(t.window.buffer.GetPixel(112, 7), 0x000000u);
    // A stored value beyond 1 puts the thumb at the end of the travel, not past the control.
    t.page->SetValue(1, 0, 9.0f);
    t.PaintIfNeeded();
    EXPECT_EQ(t.As<HSlider>(1)->GetThumbX(), 100);
    EXPECT_EQ(Differences(t.window.buffer, {100, 113, 0, 15}, *thumb, 0, 0), 0);
}

TEST(GenericHSlider, AThumbAsWideAsTheControlHasTravelOneAndWritesOnlyTheEnds)
{
    ASSERT_TRUE(LoadRealArchive());
    for (int32_t x = -3; x <= 16; ++x) {
        TestPage t = OneControl("HSlider", {0, 13, 0, 15}, "XFaderHandle.bmp", 20, 20);
        EXPECT_EQ(t.As<HSlider>(1)->GetTravel(), 1);
        t.Press(0, 5);
        t.MoveTo(x, 5);
        t.Release();
        EXPECT_EQ(Param(t), x <= 6 ? 0.0f : 1.0f) << x;
    }
}

TEST(GenericHSlider, WithoutItsThumbItDrawsAndWritesNothing)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t = OneControl("HSlider", {0, 50, 0, 15}, "NoSuchThumb.bmp", 60, 20);
    EXPECT_EQ(t.As<HSlider>(1)->GetTravel(), 1);
    t.PaintIfNeeded();
    t.Press(40, 5);
    t.Release();
    EXPECT_TRUE(t.window.changed.empty());
    EXPECT_FLOAT_EQ(Param(t), 0.5f);
}

TEST(GenericSlider, DragRunsTopToBottomAndClampsOutsideTheRectangle)
{
    struct Case {
        int32_t y;
        float value;
    } cases[] = {{2, 0.0f}, {5, 0.5f}, {8, 1.0f}, {-20, 0.0f}, {50, 1.0f}};
    for (const Case& c : cases) {
        TestPage t = OneControl("Slider", {4, 10, 2, 8}, "NoBitmap.bmp", 14, 12);
        t.Press(7, 5);
        t.MoveTo(7, c.y);
        t.Release();
        EXPECT_FLOAT_EQ(Param(t), c.value) << c.y;
    }
    // Without height: no division, only the ends.
    TestPage flat = OneControl("Slider", {4, 10, 5, 5}, "", 14, 12);
    flat.Press(7, 5);
    EXPECT_EQ(Param(flat), 0.0f);
    flat.MoveTo(7, 6);
    EXPECT_EQ(Param(flat), 1.0f);
    flat.Release();
}

TEST(GenericSlider, DrawsItsLinesWithoutABitmapAndHoldsThemInsideItsTravel)
{
    struct Case {
        float value;
        const char* picture;
    } cases[] = {
        {0.5f, "..............\n..............\n.......#......\n.......#......\n.......#......\n....#######...\n"
               ".......#......\n.......#......\n.......#......\n.............."},
        {9.0f, "..............\n..............\n.......#......\n.......#......\n.......#......\n.......#......\n"
               ".......#......\n.......#......\n....#######...\n.............."},
        {-9.0f, "..............\n..............\n....#######...\n.......#......\n.......#......\n.......#......\n"
                ".......#......\n.......#......\n.......#......\n.............."},
    };
    for (const Case& c : cases) {
        TestPage t = OneControl("Slider", {4, 10, 2, 8}, "NoBitmap.bmp", 14, 10);
        FillColour(t.window.buffer, 0xFFFFFF);
        t.page->SetValue(1, 0, c.value);
        t.PaintIfNeeded();
        EXPECT_EQ(Picture(t.window.buffer), c.picture) << c.value;
    }
}

TEST(GenericPButton, APressFlipsTheDrawnStateWithoutWritingTheParameter)
{
    TestPage t = OneControl("PButton", {2, 8, 2, 8}, "NoBitmap.bmp", 10, 10);
    t.page->SetValue(1, 0, 0.0f);
    FillColour(t.window.buffer, 0xFFFFFF);
    const char* framed = "..........\n..........\n..######..\n..#....#..\n..#....#..\n..#....#..\n..#....#..\n"
                         "..######..\n..........\n..........";
    const char* crossed = "..........\n..........\n..######..\n..##..##..\n..#.##.#..\n..#.##.#..\n..##..##..\n"
                          "..######..\n..........\n..........";
    // Without a bitmap nothing erases the cross: start every paint on white.
    auto paint = [&] {
        FillColour(t.window.buffer, 0xFFFFFF);
        t.PaintIfNeeded();
    };
    t.PaintIfNeeded();
    EXPECT_EQ(Picture(t.window.buffer), framed);

    t.Click(5, 5);  // press flips, release does not flip back
    paint();
    EXPECT_EQ(Picture(t.window.buffer), crossed);
    EXPECT_EQ(Param(t), 0.0f);

    t.Click(5, 5);
    paint();
    EXPECT_EQ(Picture(t.window.buffer), framed);

    t.Click(5, 5);
    t.page->SetValue(1, 0, 0.0f);  // the parameter's next change wins
    paint();
    EXPECT_EQ(Picture(t.window.buffer), framed);
}

TEST(GenericCanvas, BitmapsAreDrawnUnderTheirChildrenAndMissingOnesLeaveOnlyTheChildren)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t(OneValue(),
               {Record(0, {0, 300, 0, 56}, "Canvas", -1, "ConnectionLost.bmp"),
                Record(1, {10, 50, 10, 40}, "BitmapControl", 0, "KnobMask.bmp"),
                Record(2, {12, 18, 12, 18}, "PButton", 1, "", {0}),
                Record(3, {60, 90, 10, 40}, "BitmapControl", 0, "NoSuchBitmap.bmp"),
                Record(4, {62, 68, 12, 18}, "PButton", 3, "", {0})},
               300, 56);
    t.page->SetValue(2, 0, 0.0f);
    t.PaintIfNeeded();
    const Bitmap* backdrop = BitmapCache::Get("ConnectionLost.bmp");
    const Bitmap* mask = BitmapCache::Get("KnobMask.bmp");
    // The bitmap control shows its 19 x 19 bitmap; the rest of its rectangle keeps the backdrop.
    EXPECT_EQ(Differences(t.window.buffer, {19, 29, 19, 29}, *mask, 9, 9), 0);
    EXPECT_EQ(Differences(t.window.buffer, {30, 50, 10, 40}, *backdrop, 30, 10), 0);
    EXPECT_EQ(Differences(t.window.buffer, {100, 300, 0, 56}, *backdrop, 100, 0), 0);
    // Both buttons were painted over their parents.
    EXPECT_EQ(Picture(t.window.buffer, {12, 18, 12, 13}), "######");
    EXPECT_EQ(Picture(t.window.buffer, {62, 68, 12, 13}), "######");
    EXPECT_EQ(Differences(t.window.buffer, {70, 90, 20, 40}, *backdrop, 70, 20), 0);

    TestPage bare(OneValue(), {Record(0, {0, 20, 0, 20}, "Canvas", -1, ""), Record(1, {2, 8, 2, 8}, "PButton", 0, "")},
                  20, 20);
    FillColour(bare.window.buffer, 0x123456);
    bare.PaintIfNeeded();
    EXPECT_EQ(bare.window.buffer.GetPixel(0, 0), 0x123456u);
    EXPECT_EQ(bare.window.buffer.GetPixel(2, 2), 0x000000u);
}

// Text box 60 x 9 at the window's top left, focused by a click and emptied, then given "abc".
struct Box {
    Box() : t(OneControl("TextBox", {0, 60, 0, 9}, "font.bmp", 64, 12))
    {
        t.Click(5, 5);
        Keys({TextBox::End});
        for (int i = 0; i < 40; ++i)
            Keys({TextBox::Backspace});
        Keys({'a', 'b', 'c'});
    }
    void Keys(std::initializer_list<int32_t> keys)
    {
        for (int32_t k : keys)
            t.page->OnKey(k, 0);
    }
    TextBox* box() { return t.As<TextBox>(1); }
    TestPage t;
};

TEST(GenericTextBox, KeysEditAtTheCursor)
{
    ASSERT_TRUE(LoadRealArchive());
    enum { L = TextBox::Left, R = TextBox::Right, S = TextBox::Start, E = TextBox::End,
           BS = TextBox::Backspace, DEL = TextBox::Delete };
    struct Case {
        std::initializer_list<int32_t> keys;
        bool jump;  // Command held
        const char* text;
        int32_t cursor;
    } cases[] = {
        {{L}, false, "abc", 2},          {{L, L, 'X'}, false, "aXbc", 2}, {{BS}, false, "ab", 2},
        {{S, BS}, false, "abc", 0},      {{S, DEL}, false, "bc", 0},      {{DEL}, false, "abc", 3},
        {{L, DEL}, false, "ab", 2},      {{L, L, L, L, L}, false, "abc", 0}, {{R}, false, "abc", 3},
        {{S, R, R}, false, "abc", 2},    {{L}, true, "abc", 0},           {{S, R}, true, "abc", 3},
        {{S, E}, false, "abc", 3},       {{200, 1, 31, -5}, false, "abc", 3},
    };
    for (const Case& c : cases) {
        Box b;
        b.t.window.input.command = c.jump;
        for (int32_t k : c.keys)
            b.t.page->OnKey(k, 0);
        EXPECT_STREQ(b.box()->GetText(), c.text);
        EXPECT_EQ(b.box()->GetCursor(), c.cursor) << c.text;
        EXPECT_EQ(b.box()->GetLength(), int32_t(strlen(c.text)));
    }
}

TEST(GenericTextBox, HoldsAtMost255Characters)
{
    ASSERT_TRUE(LoadRealArchive());
    Box b;
    for (int i = 0; i < 300; ++i)
        b.Keys({'x'});
    EXPECT_EQ(b.box()->GetLength(), 255);
    EXPECT_EQ(std::string(b.box()->GetText()), "abc" + std::string(252, 'x'));
    b.Keys({TextBox::Start, 'Q'});
    EXPECT_EQ(b.box()->GetText()[0], 'a');
}

TEST(GenericTextBox, FocusComesWithAClickAndEndsWithReturnOrEscape)
{
    ASSERT_TRUE(LoadRealArchive());
    {
        Box b;
        EXPECT_TRUE(b.box()->HasFocus());
        b.t.page->SetValue(1, 0, 0.25f);  // ignored while editing
        EXPECT_STREQ(b.box()->GetText(), "abc");
        b.Keys({TextBox::Return});
        EXPECT_FALSE(b.box()->HasFocus());
        EXPECT_STREQ(b.box()->GetText(), "abc");
        EXPECT_FLOAT_EQ(Param(b.t), 0.25f);  // the text is not written
        b.t.Click(5, 5);
        EXPECT_TRUE(b.box()->HasFocus());
        b.t.Click(5, 5);
        EXPECT_FALSE(b.box()->HasFocus());
    }
    {
        Box b;
        b.Keys({TextBox::Escape});
        EXPECT_FALSE(b.box()->HasFocus());
        char expected[256] = {};
        b.t.page->GetValueText(1, 0, expected, 255);
        EXPECT_STREQ(b.box()->GetText(), expected);
        EXPECT_EQ(b.box()->GetCursor(), 3);
    }
}

TEST(GenericTextBox, FocusedBoxIsWhiteWithACursorLineUnfocusedIsBlack)
{
    ASSERT_TRUE(LoadRealArchive());
    Box b;
    FillColour(b.t.window.buffer, 0x808080);
    b.t.PaintIfNeeded();
    // Below the 7-pixel glyphs: white paper, and the cursor one column left of the glyph after "abc".
    const BitmapFont font(BitmapCache::Get("font.bmp"), 32, 5, 7, 20, 5, true);
    const int32_t cursor = font.MeasureText("abc") - 1;
    EXPECT_EQ(Picture(b.t.window.buffer, {cursor - 1, cursor + 2, 7, 11}), ".#.\n.#.\n?#?\n???");
    EXPECT_EQ(b.t.window.buffer.GetPixel(58, 8), 0xFFFFFFu);

    b.Keys({TextBox::Return});
    b.t.PaintIfNeeded();
    EXPECT_EQ(b.t.window.buffer.GetPixel(58, 8), 0x000000u);
}

}  // namespace
