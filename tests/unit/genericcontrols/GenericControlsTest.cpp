// The toolkit's own control kinds on test pages: what they draw (against the real artwork or exact
// pictures), the value each drag law writes, clamping of any stored value, and the text box's keys.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PAL/BitmapCache.h"
#include "PAL/BitmapFont.h"
#include "PAL/ViewLib/HSlider.h"
#include "PAL/ViewLib/Knob.h"
#include "PAL/ViewLib/Slider.h"
#include "PAL/ViewLib/TextBox.h"
#include "support/LayoutRecordMaker.h"
#include "support/PixelPicture.h"
#include "support/RealArchive.h"
#include "support/TestPage.h"
#include "unit/genericcontrols/ArtworkCompare.h"
#include "unit/params/ParamTestSupport.h"

namespace {

// A page of a plain root and one control (position 1) bound to one parameter of default 0.5.
TestPage OneControl(const char* cls, Rect r, const char* strings, int32_t width, int32_t height)
{
    return TestPage({MakeDescriptor("Value", 0, 1, 0.5f, UnitNone, TaperLinear, 0)},
                    {Record(0, {0, width, 0, height}, "View", -1, ""), Record(1, r, cls, 0, strings, {0})}, width,
                    height);
}

// Presses at (px, py), drags to (x, y), releases; returns the value written.
float Drag(TestPage& t, int32_t px, int32_t py, int32_t x, int32_t y)
{
    t.Press(px, py);
    t.MoveTo(x, y);
    t.Release();
    return t.set.GetParameter(0);
}

TEST(GenericKnob, FrameIsHeldToTheStripForAnyValue)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Case {
        int32_t width;  // of a 783-pixel strip: 78 gives 10 frames, 27 gives 29, 0 none
        float value;
        int32_t frame;
    } cases[] = {{78, 1.0f, 9},  {78, 0.05f, 0}, {78, 0.5f, 5},  {27, 0.05f, 1},
                 {27, 1.0f, 28}, {27, 7.0f, 28}, {27, -3.0f, 0}, {0, 1.0f, 0}};
    for (const Case& c : cases) {
        const Rect r = {4, 4 + c.width, 2, 29};
        TestPage t = OneControl("Knob", r, "KnobTrackRotation.bmp", 90, 32);
        t.page->SetValue(1, 0, c.value);  // stored unclamped
        t.PaintIfNeeded();
        const Bitmap* strip = BitmapCache::Get("KnobTrackRotation.bmp");  // the cache empties with each page
        EXPECT_EQ(t.As<Knob>(1)->GetFrame(), c.frame) << c.width << " " << c.value;
        EXPECT_EQ(Differences(t.window.buffer, r, *strip, c.frame * c.width, 0), 0) << c.width << " " << c.value;
        EXPECT_EQ(t.window.changed.empty(), c.width == 0);
    }
}

TEST(GenericKnob, DragValueIsTheAngleBelowTheCentreGrowingThroughTheLeft)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Case {
        int32_t x, y;  // around the centre (23, 23)
        float value;
    } cases[] = {{23, 23, 0.0f},  {23, 40, 0.0f},    {5, 23, 0.25f},    {23, 2, 0.5f},
                 {40, 23, 0.75f}, {13, 33, 0.125f}, {33, 13, 0.625f}, {33, 33, 0.875f}};
    for (const Case& c : cases) {
        TestPage t = OneControl("Knob", {10, 37, 10, 37}, "KnobTrackRotation.bmp", 50, 50);
        EXPECT_NEAR(Drag(t, 23, 23, c.x, c.y), c.value, 1e-6) << c.x << "," << c.y;
        EXPECT_FALSE(t.window.changed.empty());  // repainted during the drag
        EXPECT_FALSE(t.V(1)->IsTracking());
    }
}

TEST(GenericHSlider, ThumbCentresUnderThePointerAndStaysOnTheTrack)
{
    ASSERT_TRUE(LoadRealArchive());
    struct Case {
        int32_t width;  // 13-pixel thumb: travel 100, or 1 when as wide as the control
        int32_t x;
        float value;
    } cases[] = {{113, 6, 0.0f}, {113, 31, 0.25f}, {113, 56, 0.5f}, {113, -50, 0.0f}, {113, 400, 1.0f},
                 {13, -3, 0.0f}, {13, 6, 0.0f},    {13, 7, 1.0f},    {13, 16, 1.0f}};
    for (const Case& c : cases) {
        TestPage t = OneControl("HSlider", {0, c.width, 0, 15}, "XFaderHandle.bmp", 120, 20);
        EXPECT_EQ(t.As<HSlider>(1)->GetTravel(), c.width == 13 ? 1 : 100);
        EXPECT_FLOAT_EQ(Drag(t, 6, 5, c.x, 5), c.value) << c.width << " " << c.x;
    }

    TestPage t = OneControl("HSlider", {0, 113, 0, 15}, "XFaderHandle.bmp", 120, 20);
    const Bitmap* thumb = BitmapCache::Get("XFaderHandle.bmp");
    t.PaintIfNeeded();
    EXPECT_EQ(Differences(t.window.buffer, {50, 63, 0, 15}, *thumb, 0, 0), 0);
    EXPECT_EQ(Picture(t.window.buffer, {10, 11, 6, 9}), ".\n#\n.");  // the white track's middle line
    EXPECT_EQ(Picture(t.window.buffer, {112, 113, 6, 9}), ".\n#\n.");
    t.page->SetValue(1, 0, 9.0f);  // the thumb stops at the end of the travel
    t.PaintIfNeeded();
    EXPECT_EQ(Differences(t.window.buffer, {100, 113, 0, 15}, *thumb, 0, 0), 0);

    TestPage bare = OneControl("HSlider", {0, 50, 0, 15}, "NoSuchThumb.bmp", 60, 20);
    EXPECT_FLOAT_EQ(Drag(bare, 40, 5, 45, 5), 0.5f);  // without a thumb: nothing written, nothing drawn
    EXPECT_TRUE(bare.window.changed.empty());
}

TEST(GenericSlider, DragRunsTopToBottomAndTheLineStaysInsideTheTravel)
{
    struct Case {
        int32_t y;
        float value;
    } cases[] = {{2, 0.0f}, {5, 0.5f}, {8, 1.0f}, {-20, 0.0f}, {50, 1.0f}};
    for (const Case& c : cases) {
        TestPage t = OneControl("Slider", {4, 10, 2, 8}, "NoBitmap.bmp", 14, 12);
        EXPECT_FLOAT_EQ(Drag(t, 7, 5, 7, c.y), c.value) << c.y;
    }
    TestPage flat = OneControl("Slider", {4, 10, 5, 5}, "", 14, 12);  // no height: no division
    EXPECT_EQ(Drag(flat, 7, 5, 7, 5), 0.0f);
    EXPECT_EQ(Drag(flat, 7, 5, 7, 6), 1.0f);

    TestPage t = OneControl("Slider", {4, 10, 2, 8}, "NoBitmap.bmp", 14, 10);
    FillColour(t.window.buffer, 0xFFFFFF);
    t.PaintIfNeeded();
    EXPECT_EQ(Picture(t.window.buffer, {0, 14, 1, 10}), "..............\n.......#......\n.......#......\n"
                                                        ".......#......\n....#######...\n.......#......\n"
                                                        ".......#......\n.......#......\n..............");
    for (const auto& [value, y] : {std::pair{9.0f, 8}, {-9.0f, 2}, {0.25f, 3}}) {
        t.page->SetValue(1, 0, value);
        EXPECT_EQ(t.As<Slider>(1)->GetLineY(), y) << value;
    }
}

TEST(GenericPButton, APressFlipsTheDrawnStateWithoutWritingTheParameter)
{
    TestPage t = OneControl("PButton", {2, 8, 2, 8}, "NoBitmap.bmp", 10, 10);
    t.page->SetValue(1, 0, 0.0f);
    auto shown = [&] {
        FillColour(t.window.buffer, 0xFFFFFF);  // without a bitmap nothing erases the cross
        t.PaintIfNeeded();
        return Picture(t.window.buffer, {2, 8, 2, 8});
    };
    const char* framed = "######\n#....#\n#....#\n#....#\n#....#\n######";
    const char* crossed = "######\n##..##\n#.##.#\n#.##.#\n##..##\n######";
    EXPECT_EQ(shown(), framed);
    t.Click(5, 5);  // the press flips, the release does not flip back
    EXPECT_EQ(shown(), crossed);
    EXPECT_EQ(t.set.GetParameter(0), 0.0f);
    t.page->SetValue(1, 0, 0.0f);  // the parameter's next change wins
    EXPECT_EQ(shown(), framed);
}

TEST(GenericCanvas, BitmapsAreDrawnUnderTheirChildrenAndMissingOnesLeaveOnlyTheChildren)
{
    ASSERT_TRUE(LoadRealArchive());
    TestPage t({}, {Record(0, {0, 300, 0, 56}, "Canvas", -1, "ConnectionLost.bmp"),
                    Record(1, {10, 50, 10, 40}, "BitmapControl", 0, "KnobMask.bmp"),
                    Record(2, {12, 18, 12, 18}, "PButton", 1, ""),
                    Record(3, {60, 90, 10, 40}, "BitmapControl", 0, "NoSuchBitmap.bmp"),
                    Record(4, {62, 68, 12, 18}, "PButton", 3, "")},
               300, 56);
    t.PaintIfNeeded();
    const Bitmap* backdrop = BitmapCache::Get("ConnectionLost.bmp");
    // The 19 x 19 bitmap at the control's top left; the rest of its rectangle keeps the backdrop.
    EXPECT_EQ(Differences(t.window.buffer, {19, 29, 19, 29}, *BitmapCache::Get("KnobMask.bmp"), 9, 9), 0);
    EXPECT_EQ(Differences(t.window.buffer, {30, 50, 10, 40}, *backdrop, 30, 10), 0);
    EXPECT_EQ(Differences(t.window.buffer, {70, 300, 20, 56}, *backdrop, 70, 20), 0);
    EXPECT_EQ(Picture(t.window.buffer, {12, 18, 12, 13}), "######");  // children painted over
    EXPECT_EQ(Picture(t.window.buffer, {62, 68, 12, 13}), "######");
}

// A text box 60 x 9, focused by a click and holding "abc" with the cursor at its end.
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

TEST(GenericTextBox, KeysEditAtTheCursorUpTo255Characters)
{
    ASSERT_TRUE(LoadRealArchive());
    enum { L = TextBox::Left, R = TextBox::Right, S = TextBox::Start, E = TextBox::End, BS = TextBox::Backspace,
           DEL = TextBox::Delete };
    struct Case {
        std::initializer_list<int32_t> keys;
        bool command;
        const char* text;
        int32_t cursor;
    } cases[] = {
        {{L}, false, "abc", 2},       {{L, L, 'X'}, false, "aXbc", 2}, {{BS}, false, "ab", 2},
        {{S, BS}, false, "abc", 0},   {{S, DEL}, false, "bc", 0},      {{DEL}, false, "abc", 3},
        {{L, DEL}, false, "ab", 2},   {{L, L, L, L}, false, "abc", 0}, {{R}, false, "abc", 3},
        {{S, R, R}, false, "abc", 2}, {{L}, true, "abc", 0},           {{S, R}, true, "abc", 3},
        {{S, E}, false, "abc", 3},    {{200, 1, 31, -5}, false, "abc", 3},
    };
    for (const Case& c : cases) {
        Box b;
        b.t.window.input.command = c.command;
        b.Keys(c.keys);
        EXPECT_STREQ(b.box()->GetText(), c.text);
        EXPECT_EQ(b.box()->GetCursor(), c.cursor) << c.text;
        EXPECT_EQ(b.box()->GetLength(), int32_t(strlen(c.text)));
    }
    Box b;
    for (int i = 0; i < 300; ++i)
        b.Keys({'x'});
    EXPECT_EQ(std::string(b.box()->GetText()), "abc" + std::string(252, 'x'));
    EXPECT_EQ(b.box()->GetLength(), 255);
}

TEST(GenericTextBox, FocusComesWithAPressEndsWithReturnOrEscapeAndChangesTheLook)
{
    ASSERT_TRUE(LoadRealArchive());
    Box b;
    EXPECT_TRUE(b.box()->HasFocus());
    FillColour(b.t.window.buffer, 0x808080);
    b.t.PaintIfNeeded();
    // White paper below the 7-pixel glyphs, the cursor one column left of the glyph after "abc" and
    // down to the bottom edge.
    const BitmapFont font(BitmapCache::Get("font.bmp"), 32, 5, 7, 20, 5, true);
    const int32_t cursor = font.MeasureText("abc") - 1;
    EXPECT_EQ(Picture(b.t.window.buffer, {cursor - 1, cursor + 2, 7, 11}), ".#.\n.#.\n?#?\n???");

    b.t.page->SetValue(1, 0, 0.25f);  // ignored while editing
    b.Keys({TextBox::Return});
    EXPECT_FALSE(b.box()->HasFocus());
    EXPECT_STREQ(b.box()->GetText(), "abc");
    EXPECT_FLOAT_EQ(b.t.set.GetParameter(0), 0.25f);  // the text is not written
    b.t.PaintIfNeeded();
    EXPECT_EQ(b.t.window.buffer.GetPixel(58, 8), 0x000000u);
    b.t.Click(5, 5);
    EXPECT_TRUE(b.box()->HasFocus());
    b.t.Click(5, 5);
    EXPECT_FALSE(b.box()->HasFocus());

    Box escaped;
    escaped.Keys({TextBox::Escape});
    EXPECT_FALSE(escaped.box()->HasFocus());
    char expected[256] = {};
    escaped.t.page->GetValueText(1, 0, expected, 255);
    EXPECT_STREQ(escaped.box()->GetText(), expected);
}

}  // namespace
