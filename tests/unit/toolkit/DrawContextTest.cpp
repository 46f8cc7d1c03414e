// The pixel drawing context: port nesting, bitmap copies with origin, offset and clipping, the pen and
// background shapes, changed rectangles, input and clipboard.
#include <gtest/gtest.h>

#include "PAL/PixelDrawContext.h"
#include "support/FakeWindow.h"
#include "support/PixelPicture.h"

namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kFlavorA = 0x41424344;
constexpr uint32_t kFlavorB = 0x5758595A;
const std::map<uint32_t, char> kColours = {{kGrey, 'g'}, {kRed, 'r'}, {kBlue, 'b'}};

struct Canvas {
    explicit Canvas(int32_t w = 8, int32_t h = 6) : window(w, h), context(&window) { FillColour(window.buffer, kGrey); }
    std::string Text() const { return Picture(window.buffer, kColours); }
    FakeWindow window;
    PixelDrawContext context;
};

// A strip of two 2 x 2 frames stacked vertically: red on top, blue below.
struct TwoFrameStrip : Bitmap {
    TwoFrameStrip() : Bitmap(2, 4)
    {
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 2; ++x)
                SetPixel(x, y, y < 2 ? kRed : kBlue);
    }
};

TEST(DrawContextPorts, BeginAndEndDrawNestAndRestore)
{
    Canvas c;
    EXPECT_EQ(c.context.GetPort(), nullptr);
    c.context.EndDraw();  // nothing saved: nothing happens
    EXPECT_EQ(c.context.GetSavedPortCount(), 0u);

    c.context.BeginDraw();
    EXPECT_EQ(c.context.GetPort(), &c.window.buffer);
    c.context.BeginDraw();  // already drawing: unchanged
    EXPECT_EQ(c.context.GetSavedPortCount(), 1u);

    Bitmap offscreen(4, 4);
    c.context.BeginBitmapDraw(&offscreen, 3, 2);
    EXPECT_EQ(c.context.GetPort(), &offscreen);
    EXPECT_EQ(c.context.GetOriginX(), 3);
    Bitmap inner(2, 2);
    c.context.BeginBitmapDraw(&inner, 1, 1);
    EXPECT_EQ(c.context.GetPort(), &inner);
    EXPECT_EQ(c.context.GetOriginX(), 4);
    c.context.EndBitmapDraw(&inner, 1, 1);
    EXPECT_EQ(c.context.GetPort(), &offscreen);
    c.context.EndBitmapDraw(&offscreen, 3, 2);
    EXPECT_EQ(c.context.GetPort(), &c.window.buffer);
    EXPECT_EQ(c.context.GetOriginX(), 0);
    EXPECT_EQ(c.context.GetOriginY(), 0);

    c.context.EndDraw();
    EXPECT_EQ(c.context.GetPort(), nullptr);
    EXPECT_EQ(c.context.GetSavedPortCount(), 0u);
}

TEST(DrawContextPorts, BitmapWithoutPixelsShiftsTheOriginOnlyAndPopsNothing)
{
    Canvas c;
    Bitmap empty(0, 0);
    c.context.BeginDraw();
    c.context.BeginBitmapDraw(&empty, 2, 1);
    EXPECT_EQ(c.context.GetPort(), &c.window.buffer);
    EXPECT_EQ(c.context.GetSavedPortCount(), 1u);
    c.context.EndBitmapDraw(&empty, 2, 1);
    // The window stays the port: the paint's own saved port was not popped.
    EXPECT_EQ(c.context.GetPort(), &c.window.buffer);
    EXPECT_EQ(c.context.GetSavedPortCount(), 1u);
    c.context.PopPort();
    c.context.PopPort();  // empty stack: nothing
    EXPECT_EQ(c.context.GetSavedPortCount(), 0u);
}

TEST(DrawContextBitmaps, OffsetSelectsTheFrameAndOriginShiftsTheDestination)
{
    Canvas c;
    TwoFrameStrip strip;
    const BitmapOffset second = {0, 2};
    c.context.BeginDraw();
    c.context.DrawBitmap(&strip, Rect{1, 3, 1, 3}, &second);
    c.context.DrawBitmap(&strip, Rect{4, 6, 1, 3}, nullptr);
    c.context.EndDraw();
    EXPECT_EQ(c.Text(),
              "gggggggg\n"
              "gbbgrrgg\n"
              "gbbgrrgg\n"
              "gggggggg\n"
              "gggggggg\n"
              "gggggggg");

    // Inside a bitmap draw the destination moves by the pair's offset.
    Bitmap target(4, 4);
    FillColour(target, kGrey);
    c.context.BeginDraw();
    c.context.BeginBitmapDraw(&target, -10, -20);
    c.context.DrawBitmap(&strip, Rect{11, 13, 22, 24}, nullptr);
    c.context.EndBitmapDraw(&target, -10, -20);
    c.context.EndDraw();
    EXPECT_EQ(Picture(target, kColours), "gggg\ngggg\ngrrg\ngrrg");
}

TEST(DrawContextBitmaps, ClipsToPortSourceAndDestination)
{
    struct Case {
        const char* name;
        Rect destination;
        BitmapOffset offset;
        const char* expected;  // first two rows of the 8 x 6 window
    };
    const Case cases[] = {
        {"negative left and top", {-1, 1, -1, 1}, {0, 0}, "rggggggg\ngggggggg"},
        {"past the right edge", {7, 9, 0, 2}, {0, 0}, "gggggggr\ngggggggr"},
        {"wider than the source", {0, 6, 0, 1}, {0, 0}, "rrgggggg\ngggggggg"},
        {"offset past the source", {0, 2, 0, 2}, {5, 0}, "gggggggg\ngggggggg"},
        {"inverted rectangle", {3, 1, 0, 2}, {0, 0}, "gggggggg\ngggggggg"},
        {"huge rectangle", {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX}, {0, 0}, "gggggggg\ngggggggg"},
        {"huge offset", {0, 2, 0, 2}, {INT32_MAX, INT32_MIN}, "gggggggg\ngggggggg"},
    };
    for (const Case& k : cases) {
        Canvas c;
        TwoFrameStrip strip;
        c.context.BeginDraw();
        c.context.DrawBitmap(&strip, k.destination, &k.offset);
        c.context.EndDraw();
        EXPECT_EQ(Picture(c.window.buffer, Rect{0, 8, 0, 2}, kColours), k.expected) << k.name;
        int64_t changed = 0;
        for (const char ch : std::string(k.expected))
            changed += ch == 'r' || ch == 'b';
        EXPECT_EQ(c.window.ChangedPixels(), changed) << k.name;
    }
}

TEST(DrawContextShapes, FrameEraseAndLinesUseThePenAndTheBackground)
{
    Canvas c;
    c.context.BeginDraw();
    c.context.EraseRect(Rect{0, 3, 0, 2});
    c.context.FrameRect(Rect{3, 8, 0, 4});
    c.context.DrawLine(0, 5, 2, 3);
    c.context.FrameRect(Rect{0, 0, 0, 5});  // empty: nothing
    c.context.EndDraw();
    EXPECT_EQ(c.Text(),
              "...#####\n"
              "...#ggg#\n"
              "ggg#ggg#\n"
              "gg######\n"
              "g#gggggg\n"
              "#ggggggg");
}

TEST(DrawContextShapes, MissingBitmapAndSelectionFrameComposites)
{
    Canvas c(5, 5);
    c.context.BeginDraw();
    c.context.DrawMissingBitmap(Rect{0, 5, 0, 5});
    c.context.EndDraw();
    EXPECT_EQ(c.Text(),
              "#####\n"
              "##.##\n"
              "#.#.#\n"
              "##.##\n"
              "#####");

    // The handles of {0, 40, 0, 30}, in drawing order.
    struct Recorder : PixelDrawContext {
        Recorder() : PixelDrawContext(nullptr) {}
        void FrameRectXYWH(int32_t x, int32_t y, int32_t w, int32_t h) override
        {
            EXPECT_EQ(w, 10);
            EXPECT_EQ(h, 10);
            handles.emplace_back(x, y);
        }
        std::vector<std::pair<int32_t, int32_t>> handles;
    } recorder;
    recorder.DrawSelectionFrame(Rect{0, 40, 0, 30});
    const std::vector<std::pair<int32_t, int32_t>> expected = {{0, 0},  {30, 0}, {0, 20}, {30, 20},
                                                               {0, 10}, {30, 10}, {15, 0}, {15, 20}};
    EXPECT_EQ(recorder.handles, expected);
}

TEST(DrawContextShapes, VectorDrawingInsideABitmapDrawLandsInTheBitmap)
{
    Canvas c;
    Bitmap target(3, 3);
    FillColour(target, kGrey);
    c.context.BeginDraw();
    c.context.BeginBitmapDraw(&target, -5, -5);
    c.context.FrameRect(Rect{5, 8, 5, 8});
    c.context.DrawLine(6, 6, 6, 6);
    c.context.EndBitmapDraw(&target, -5, -5);
    c.context.EndDraw();
    EXPECT_EQ(Picture(target, kColours), "###\n###\n###");
    EXPECT_EQ(c.window.ChangedPixels(), 0);  // nothing reached the window
}

TEST(DrawContextShapes, LinesFarOutsideTheWindowEndQuickly)
{
    Canvas c;
    c.context.BeginDraw();
    c.context.DrawLine(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    c.context.EndDraw();
    EXPECT_EQ(Picture(c.window.buffer, Rect{0, 3, 0, 3}, kColours), "#gg\ng#g\ngg#");
}

TEST(DrawContextInput, MouseIsWindowLocalOutsideDrawingAndPortLocalInABitmap)
{
    Canvas c;
    c.window.input.x = 7;
    c.window.input.y = 4;
    int32_t x = 0, y = 0;
    c.context.GetMousePosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(7, 4));
    EXPECT_EQ(c.context.GetSavedPortCount(), 0u);

    Bitmap target(10, 10);
    c.context.BeginDraw();
    c.context.BeginBitmapDraw(&target, -2, -3);
    c.context.GetMousePosition(x, y);
    c.context.EndBitmapDraw(&target, -2, -3);
    c.context.EndDraw();
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(5, 1));

    c.window.input.option = true;
    c.window.input.mouseDown = true;
    EXPECT_TRUE(c.context.IsOptionDown());
    EXPECT_FALSE(c.context.IsShiftDown());
    EXPECT_FALSE(c.context.IsCommandDown());
    EXPECT_TRUE(c.context.IsMouseDown());

    PixelDrawContext windowless(nullptr);
    windowless.GetMousePosition(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
    EXPECT_FALSE(windowless.IsMouseDown());
}

TEST(DrawContextClipboard, OneFlavorAtATimeAndReadsBoundedByTheBuffer)
{
    Canvas c;
    EXPECT_EQ(c.context.GetClipboardSize(kFlavorA), 0u);
    const uint8_t record[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    c.context.PutClipboard(record, sizeof record, kFlavorA);
    EXPECT_EQ(c.context.GetClipboardSize(kFlavorA), 12u);
    EXPECT_EQ(c.context.GetClipboardSize(kFlavorB), 0u);

    uint8_t small[5] = {};
    EXPECT_EQ(c.context.GetClipboard(small, sizeof small, kFlavorA), 5u);
    EXPECT_EQ(small[4], 5);
    uint8_t untouched[4] = {9, 9, 9, 9};
    EXPECT_EQ(c.context.GetClipboard(untouched, sizeof untouched, kFlavorB), 0u);
    EXPECT_EQ(untouched[0], 9);

    c.context.PutClipboard(record, 4, kFlavorB);
    EXPECT_EQ(c.context.GetClipboardSize(kFlavorA), 0u);
}

}  // namespace
