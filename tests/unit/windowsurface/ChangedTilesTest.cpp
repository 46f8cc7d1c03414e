// Finding what a window must send to the screen: only pixels that differ from the shown copy, only among
// the pixels that were drawn into, one rectangle per 32 x 32 tile.
#include <gtest/gtest.h>

#include <vector>

#include "PAL/wx/ChangedTiles.h"

namespace {

constexpr int32_t kWidth = 100, kHeight = 70;  // the last tile column is 4 wide, the last row 6 high

struct Point {
    int32_t x, y;
};

struct Case {
    const char* name;
    std::vector<Point> changed;   // pixels that differ from the shown copy
    std::vector<Rect> marks;      // rectangles reported as drawn
    std::vector<Rect> expected;   // rectangles sent, in tile order
};

}  // namespace

// Rect lives in the global namespace: its comparison and printing must too, for the vector comparison.
static bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}

static void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "{" << r.left << ", " << r.right << ", " << r.top << ", " << r.bottom << "}";
}

TEST(ChangedTiles, SendsTheDifferingPixelsOfMarkedPixelsOnly)
{
    const Case cases[] = {
        {"nothing marked", {{5, 5}}, {}, {}},
        {"marked, nothing differs", {}, {{0, 100, 0, 70}}, {}},
        {"one pixel", {{40, 10}}, {{0, 100, 0, 70}}, {{40, 41, 10, 11}}},
        {"a change outside the marks stays unsent", {{40, 10}, {70, 50}}, {{64, 96, 32, 64}}, {{70, 71, 50, 51}}},
        {"two pixels of one tile give their box", {{33, 40}, {60, 35}}, {{33, 61, 35, 41}}, {{33, 61, 35, 41}}},
        {"a change beside the marks in the same tile stays unsent",
         {{33, 40}, {60, 35}},
         {{33, 34, 40, 41}},
         {{33, 34, 40, 41}}},
        {"two marks in one tile compare the box around them", {{40, 40}, {50, 50}}, {{40, 41, 40, 41}, {50, 51, 50, 51}},
         {{40, 51, 40, 51}}},
        {"a change across a tile edge is split there",
         {{30, 5}, {31, 5}, {32, 5}, {33, 5}},
         {{30, 34, 5, 6}},
         {{30, 32, 5, 6}, {32, 34, 5, 6}}},
        {"the partial last column and row", {{99, 69}, {97, 64}}, {{96, 100, 64, 70}}, {{97, 100, 64, 70}}},
        {"marks outside the window are clipped", {{0, 0}}, {{-50, 1, -50, 1}, {200, 300, 0, 70}}, {{0, 1, 0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap back(kWidth, kHeight), shown(kWidth, kHeight);
        for (const Point& p : c.changed)
            back.SetPixel(p.x, p.y, 0x123456);
        ChangedTiles tiles;
        tiles.Resize(kWidth, kHeight);
        for (const Rect& r : c.marks)
            tiles.Mark(r);
        EXPECT_EQ(tiles.Collect(back, shown), c.expected);
        EXPECT_FALSE(tiles.AnyMarked());
        // What was sent is now shown; the rest is as it was.
        for (const Point& p : c.changed) {
            bool sent = false;
            for (const Rect& r : c.expected)
                sent = sent || (r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom);
            EXPECT_EQ(shown.GetPixel(p.x, p.y), sent ? 0x123456u : 0u) << p.x << "," << p.y;
        }
        // Sending again finds nothing more in the same tiles.
        for (const Rect& r : c.marks)
            tiles.Mark(r);
        EXPECT_TRUE(tiles.Collect(back, shown).empty());
    }
}

TEST(ChangedTiles, BuffersOfAnotherSizeSendNothingAndDropTheMarks)
{
    Bitmap back(kWidth, kHeight), shown(kWidth + 1, kHeight);
    back.SetPixel(1, 1, 0xFF);
    ChangedTiles tiles;
    tiles.Resize(kWidth, kHeight);
    tiles.MarkAll();
    EXPECT_TRUE(tiles.Collect(back, shown).empty());
    EXPECT_FALSE(tiles.AnyMarked());
    EXPECT_EQ(shown.GetPixel(1, 1), 0u);
}

TEST(ChangedTiles, AnEmptyGridTakesNoMarks)
{
    ChangedTiles tiles;
    tiles.Resize(0, 0);
    tiles.MarkAll();
    tiles.Mark(Rect{0, 10, 0, 10});
    EXPECT_FALSE(tiles.AnyMarked());
}
