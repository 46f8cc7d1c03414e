#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "PAL/Bitmap.h"

namespace {

// A bitmap whose pixel (x, y) is 0x00yyxx + base, so every copied pixel shows where it came from.
void Number(Bitmap& b, uint32_t base)
{
    for (int32_t y = 0; y < b.GetHeight(); ++y)
        for (int32_t x = 0; x < b.GetWidth(); ++x)
            b.SetPixel(x, y, base + uint32_t(y) * 0x100 + uint32_t(x));
}

std::vector<uint32_t> Row(const Bitmap& b, int32_t y)
{
    std::vector<uint32_t> out;
    for (int32_t x = 0; x < b.GetWidth(); ++x)
        out.push_back(b.GetPixel(x, y));
    return out;
}

const uint32_t S = 0x100000;  // base of source pixels
const uint32_t D = 0xD00000;  // base of destination pixels

}  // namespace

TEST(Bitmap, CreateGivesZeroPixelsAndImpossibleSizesAnInertBitmap)
{
    Bitmap b(3, 2);
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.GetHeight(), 2);
    EXPECT_EQ(b.GetRowPixels(), 3);
    const Rect r = b.GetRect();
    EXPECT_EQ((std::vector<int32_t>{r.left, r.right, r.top, r.bottom}), (std::vector<int32_t>{0, 3, 0, 2}));
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0, 0, 0}));

    const int32_t sizes[][2] = {{0, 5}, {5, 0}, {-1, 5}, {5, -1}, {Bitmap::kMaxSide + 1, 1}, {INT_MAX, INT_MAX}};
    for (const auto& size : sizes) {
        Bitmap invalid(size[0], size[1]);
        EXPECT_FALSE(invalid.IsValid());
        EXPECT_EQ(invalid.GetWidth() + invalid.GetHeight() + invalid.GetRowPixels(), 0);
        EXPECT_EQ(invalid.Lock(), nullptr);
        invalid.Fill(0xFF);
        invalid.SetPixel(0, 0, 1);
        EXPECT_EQ(invalid.GetPixel(0, 0), 0u);
        Number(b, S);
        invalid.CopyTo(&b, 0, 0, nullptr);
        b.CopyTo(&invalid, 0, 0, nullptr);
        EXPECT_EQ(b.GetPixel(1, 1), S + 0x101);
    }
}

TEST(Bitmap, SetPixelIgnoresPointsOutsideAndFillSetsEveryByteToTheLowByte)
{
    Bitmap b(2, 2);
    for (auto p : {std::pair<int, int>{-1, 0}, {2, 0}, {0, -1}, {0, 2}, {INT_MIN, INT_MAX}})
        b.SetPixel(p.first, p.second, 0xFFFFFF);
    b.SetPixel(1, 0, 0x123456);
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{0, 0x123456}));
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0, 0}));
    EXPECT_EQ(b.Lock()[1], 0x123456u);
    b.Fill(0x12345678);
    EXPECT_EQ(Row(b, 1), (std::vector<uint32_t>{0x78787878, 0x78787878}));
}

TEST(BitmapCopy, ClipsToBothBitmaps)
{
    // Source 4 x 2: pixel (x, y) = S + y * 0x100 + x. Destination 3 x 2 starts as D + ..., and row0 and row1
    // are its rows afterwards. whole: no source rectangle.
    struct Case { const char* what; int32_t x, y; bool whole; Rect source; std::vector<uint32_t> row0, row1; };
    const std::vector<uint32_t> row0 = {D + 0, D + 1, D + 2}, row1 = {D + 0x100, D + 0x101, D + 0x102};
    const Rect huge = {INT_MIN, INT_MAX, INT_MIN, INT_MAX};
    const Case cases[] = {
        {"x = -3 starts at the source's fourth column", -3, 0, true, {}, {S + 3, D + 1, D + 2},
         {S + 0x103, D + 0x101, D + 0x102}},
        {"larger than the destination is cut at its right and bottom", 1, 1, true, {}, row0,
         {D + 0x100, S + 0, S + 1}},
        {"a source rectangle starting left of the source moves the target", 0, 0, false, {-1, 2, 1, 2},
         {D + 0, S + 0x100, S + 0x101}, row1},
        {"a source rectangle starting above the source moves the target", 0, 0, false, {2, 3, -1, 1}, row0,
         {S + 2, D + 0x101, D + 0x102}},
        {"a source rectangle beyond the source is cut", 2, 0, false, {3, 9, 0, 9}, {D + 0, D + 1, S + 3},
         {D + 0x100, D + 0x101, S + 0x103}},
        {"a target right of the destination draws nothing", 3, 0, true, {}, row0, row1},
        {"a target below the destination draws nothing", 0, 2, true, {}, row0, row1},
        {"an empty source rectangle draws nothing", 0, 0, false, {2, 2, 0, 2}, row0, row1},
        {"extreme positions draw nothing", INT_MIN, INT_MAX, true, {}, row0, row1},
        {"an extreme rectangle is cut to the source", 0, 0, false, huge, row0, row1},
        {"an extreme rectangle at the far end", INT_MAX, INT_MAX, false, huge, row0, row1},
        {"an extreme rectangle at a negative target", -5, -5, false, huge, row0, row1},
    };
    for (const Case& c : cases) {
        Bitmap source(4, 2), destination(3, 2);
        Number(source, S);
        Number(destination, D);
        source.CopyTo(&destination, c.x, c.y, c.whole ? nullptr : &c.source);
        EXPECT_EQ(Row(destination, 0), c.row0) << c.what;
        EXPECT_EQ(Row(destination, 1), c.row1) << c.what;
    }
}

TEST(BitmapCopy, NeverReadsPastTheSourceAndCopiesOverlappingRowsAsIfBuffered)
{
    Bitmap b(4, 1), larger(6, 2);
    Number(b, S);
    const Rect beyond = {0, 9, 0, 9};
    b.CopyTo(&larger, 0, 0, &beyond);
    EXPECT_EQ(Row(larger, 0), (std::vector<uint32_t>{S, S + 1, S + 2, S + 3, 0, 0}));
    EXPECT_EQ(Row(larger, 1), (std::vector<uint32_t>(6, 0)));
    const Rect r = {0, 3, 0, 1};
    b.CopyTo(&b, 1, 0, &r);
    EXPECT_EQ(Row(b, 0), (std::vector<uint32_t>{S, S, S + 1, S + 2}));
}

TEST(BitmapCopyMasked, BlendsOrAddsPerChannel)
{
    struct Case { const char* what; uint32_t source, mask, destination; bool blend; uint32_t expected; };
    const Case cases[] = {
        {"mask 0 with blend keeps D x 255 / 256", 0xFFFFFF, 0x000000, 0xFF6400, true, 0xFE6300},
        {"mask 255 with blend gives S x 255 / 256", 0xFF6400, 0xFFFFFF, 0x123456, true, 0xFE6300},
        {"mask 128 mixes evenly", 0xC80000, 0x808080, 0x640000, true, 0x950000},
        {"a per-channel mask picks per channel", 0x102030, 0x00FF00, 0x405060, true, 0x3F1F5F},
        {"without blend white over white saturates at 255", 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, false, 0xFFFFFF},
        {"without blend and mask 0 keeps D x 255 / 256", 0xFFFFFF, 0x000000, 0x646464, false, 0x636363},
        {"the alpha byte of the result is 0", 0x000000, 0x000000, 0xFF000000, true, 0x000000},
    };
    for (const Case& c : cases) {
        Bitmap source(1, 1), mask(1, 1), destination(1, 1);
        source.SetPixel(0, 0, c.source);
        mask.SetPixel(0, 0, c.mask);
        destination.SetPixel(0, 0, c.destination);
        source.CopyMasked(&destination, &mask, 0, 0, nullptr, c.blend);
        EXPECT_EQ(destination.GetPixel(0, 0), c.expected) << c.what;
    }
}

TEST(BitmapCopyMasked, ReadsTheMaskWhereItReadsTheSourceAndNeedsOneOfTheSameSize)
{
    Bitmap source(3, 1), mask(3, 1), wrong(3, 2), destination(2, 1);
    source.Fill(0xFF);
    wrong.Fill(0xFF);
    mask.SetPixel(0, 0, 0xFFFFFF);  // only column 0 is opaque
    source.CopyMasked(&destination, &mask, -1, 0, nullptr, true);
    // Column 0 of the destination takes source column 1, which the mask leaves out.
    EXPECT_EQ(Row(destination, 0), (std::vector<uint32_t>{0, 0}));
    source.CopyMasked(&destination, &mask, 1, 0, nullptr, true);
    EXPECT_EQ(Row(destination, 0), (std::vector<uint32_t>{0, 0xFEFEFE}));
    destination.Fill(0x10);
    source.CopyMasked(&destination, &wrong, 0, 0, nullptr, true);
    source.CopyMasked(&destination, nullptr, 0, 0, nullptr, true);
    source.CopyMasked(nullptr, &mask, 0, 0, nullptr, true);
    EXPECT_EQ(Row(destination, 0), (std::vector<uint32_t>{0x10101010, 0x10101010}));
}
