#include <gtest/gtest.h>

#include <cmath>

#include "PAL/BackedBitmapFont.h"
#include "PAL/BitmapFont.h"

namespace {

// The labels' geometry: first code 32, cells of 7 x 7, 20 columns, 5 rows.
const int32_t kCell = 7, kColumns = 20, kRows = 5;
const uint32_t kInk = 0xFFFFFF;

// 'A' has ink in columns 0..inkA-1 (one pixel per column, on the diagonal), 'B' in columns 0..5 on row 3.
Bitmap* DrawGrid(Bitmap& grid, int32_t inkA = 5)
{
    for (int32_t c = 0; c < inkA; ++c)
        grid.SetPixel(('A' - 32) % kColumns * kCell + c, ('A' - 32) / kColumns * kCell + c, kInk);
    for (int32_t c = 0; c < 6; ++c)
        grid.SetPixel(('B' - 32) % kColumns * kCell + c, ('B' - 32) / kColumns * kCell + 3, kInk);
    return &grid;
}

struct BitmapFontTest : testing::Test {
    Bitmap grid{kColumns * kCell, kRows * kCell};
    Bitmap destination{20, 7};
    BitmapFont font{DrawGrid(grid), 32, kCell, kCell, kColumns, kRows, true};
};

}  // namespace

TEST_F(BitmapFontTest, AdvancesByInkWidthPlusOneAndCodesOutsideTheGridTakeNoSpace)
{
    BitmapFont fixed(&grid, 32, kCell, kCell, kColumns, kRows, false);
    // 'C' has no ink; 0x81 lies inside the 100 cells, but 0x80 and above never draw.
    const struct { char code; int32_t proportional, fixed; } cases[] = {
        {'A', 6, kCell + 1}, {'B', 7, kCell + 1}, {' ', kCell - 1, kCell + 1}, {'C', 1, kCell + 1},
        {'\x1F', 0, 0}, {'\x81', 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(font.GetCharAdvance(c.code), c.proportional) << int(c.code);
        EXPECT_EQ(fixed.GetCharAdvance(c.code), c.fixed) << int(c.code);
    }
    EXPECT_EQ(font.MeasureText("A\x81\nB"), 13);
    EXPECT_EQ(font.MeasureText(nullptr), 0);
    EXPECT_EQ(font.DrawGlyph(&destination, 0, 0, '\xE9'), 0);
}

TEST_F(BitmapFontTest, DrawTextCopiesGlyphAfterGlyph)
{
    destination.Fill(0x11);
    font.DrawText(&destination, 1, 0, "AB");
    EXPECT_EQ(destination.GetPixel(0, 0), 0x11111111u);  // left of the text
    EXPECT_EQ(destination.GetPixel(1, 0), kInk);         // 'A' column 0, row 0
    EXPECT_EQ(destination.GetPixel(2, 0), 0u);           // the cell's dark pixels are copied too
    EXPECT_EQ(destination.GetPixel(5, 4), kInk);         // 'A' column 4
    EXPECT_EQ(destination.GetPixel(6, 3), 0x11111111u);  // the spacing pixel
    EXPECT_EQ(destination.GetPixel(7, 3), kInk);         // 'B' starts at 1 + 6
    EXPECT_EQ(destination.GetPixel(12, 3), kInk);
    EXPECT_EQ(destination.GetPixel(13, 3), 0x11111111u);
}

TEST_F(BitmapFontTest, BackedFontBlendsThroughItsMaskAndMeasuresOnIt)
{
    Bitmap mask(kColumns * kCell, kRows * kCell);
    DrawGrid(mask, 3);
    BackedBitmapFont backed(&grid, &mask, 32, kCell, kCell, kColumns, kRows, true);
    destination.Fill(0x64);
    EXPECT_EQ(backed.DrawGlyph(&destination, 0, 0, 'A'), 4);
    EXPECT_EQ(destination.GetPixel(0, 0), 0xFEFEFEu);    // opaque ink: S x 255 / 256
    EXPECT_EQ(destination.GetPixel(1, 0), 0x636363u);    // transparent: D x 255 / 256
    EXPECT_EQ(destination.GetPixel(3, 3), 0x64646464u);  // beyond the glyph's width: untouched
}

TEST_F(BitmapFontTest, MissingOrSmallBitmapsDrawNothing)
{
    Bitmap small(kColumns * kCell - 1, kRows * kCell);
    DrawGrid(small);
    BitmapFont none(nullptr, 32, kCell, kCell, kColumns, kRows, true);
    BitmapFont cut(&small, 32, kCell, kCell, kColumns, kRows, false);
    BackedBitmapFont noMask(&grid, nullptr, 32, kCell, kCell, kColumns, kRows, true);
    BackedBitmapFont smallMask(&grid, &small, 32, kCell, kCell, kColumns, kRows, true);
    BitmapFont noColumns(&grid, 32, kCell, kCell, 0, kRows, true);
    destination.Fill(0x33);
    for (BitmapFont* f : std::initializer_list<BitmapFont*>{&none, &cut, &noMask, &smallMask, &noColumns}) {
        f->DrawText(&destination, 0, 0, "AB");
        f->DrawTextTinted(&destination, 0, 0, "AB", kInk, 0, 1.0f);
        f->DrawText(nullptr, 0, 0, "AB");
    }
    for (int32_t y = 0; y < destination.GetHeight(); ++y)
        for (int32_t x = 0; x < destination.GetWidth(); ++x)
            ASSERT_EQ(destination.GetPixel(x, y), 0x33333333u) << x << "," << y;
    EXPECT_EQ(none.MeasureText("AB"), 2);
    EXPECT_EQ(noMask.DrawGlyph(&destination, 0, 0, 'A'), 0);
    EXPECT_EQ(noColumns.MeasureText("AB"), 0);
}

TEST_F(BitmapFontTest, TintMapsDarkToPaperAndBrightToInkByOpacity)
{
    // Over a destination of 0x64 in every byte: the bright pixel is 'A''s (0, 0), the dark one its (1, 0).
    const struct { uint32_t ink, paper; float opacity; uint32_t bright, dark; } cases[] = {
        {0xC86432, 0x0A141E, 1.0f, 0xC86432, 0x0A141E},
        {0xC86432, 0x0A141E, 7.5f, 0xC86432, 0x0A141E},  // above 1 counts as 1
        {0xFFFFFF, 0xFFFFFF, 1.0f, 0xFFFFFF, 0xFFFFFF},
        {0xC80000, 0x000000, 0.5f, 0x963232, 0x323232},
        {0xFF0000, 0x00FF00, 0.0f, 0x646464, 0x646464},  // the top byte is cleared
        {0xFF0000, 0x00FF00, -0.01f, 0x64646464, 0x64646464},  // below 0 draws nothing
        {0xFF0000, 0x00FF00, std::nanf(""), 0x64646464, 0x64646464},
    };
    for (const auto& c : cases) {
        destination.Fill(0x64);
        font.DrawTextTinted(&destination, 0, 0, "A", c.ink, c.paper, c.opacity);
        EXPECT_EQ(destination.GetPixel(0, 0), c.bright) << std::hex << c.ink << " " << c.paper << " " << c.opacity;
        EXPECT_EQ(destination.GetPixel(1, 0), c.dark) << std::hex << c.ink << " " << c.paper << " " << c.opacity;
        EXPECT_EQ(destination.GetPixel(6, 0), 0x64646464u);  // outside the glyph
    }
    destination.Fill(0);
    EXPECT_EQ(font.DrawGlyphTinted(&destination, -1, -1, 'A', kInk, 0, 1.0f), 6);  // clipped at the edges
    EXPECT_EQ(destination.GetPixel(0, 0), kInk);  // the glyph's (1, 1)
    EXPECT_EQ(font.DrawGlyphTinted(&destination, 18, 5, 'A', kInk, 0, 1.0f), 6);
    EXPECT_EQ(destination.GetPixel(19, 6), kInk);  // the glyph's (1, 1) again
}
