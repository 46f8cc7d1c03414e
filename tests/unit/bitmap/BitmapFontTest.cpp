#include <gtest/gtest.h>

#include <cmath>

#include "PAL/BackedBitmapFont.h"
#include "PAL/BitmapFont.h"

namespace {

// The labels' geometry: first code 32, cells of 7 x 7, 20 columns, 5 rows.
const int32_t kCell = 7, kColumns = 20, kRows = 5;
const uint32_t kInk = 0xFFFFFF;

void CellOrigin(char code, int32_t& x, int32_t& y)
{
    const int32_t g = code - 32;
    x = g % kColumns * kCell;
    y = g / kColumns * kCell;
}

// 'A' has ink in columns 0..4 (one pixel per column, on the diagonal), 'B' in columns 0..5 on row 3.
// With inkA given, 'A' gets ink in columns 0..inkA-1 only (for masks).
void DrawGrid(Bitmap& grid, int32_t inkA = 5)
{
    int32_t x, y;
    CellOrigin('A', x, y);
    for (int32_t c = 0; c < inkA; ++c)
        grid.SetPixel(x + c, y + c, kInk);
    CellOrigin('B', x, y);
    for (int32_t c = 0; c < 6; ++c)
        grid.SetPixel(x + c, y + 3, kInk);
}

struct Fixture : testing::Test {
    Fixture() : grid(kColumns * kCell, kRows * kCell), destination(20, 7) { DrawGrid(grid); }
    Bitmap grid;
    Bitmap destination;
};

using BitmapFontTest = Fixture;
using BitmapFontTintTest = Fixture;

}  // namespace

TEST_F(BitmapFontTest, MeasuresInkWidthsAndOnePixelOfSpacing)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
    EXPECT_EQ(font.GetCharAdvance('A'), 6);
    EXPECT_EQ(font.GetCharAdvance('B'), 7);
    EXPECT_EQ(font.MeasureText("AB"), 13);
    EXPECT_EQ(font.GetCharAdvance(' '), kCell - 1);
    EXPECT_EQ(font.GetCharAdvance('C'), 1);  // no ink: width 0
    EXPECT_EQ(font.MeasureText(""), 0);
    EXPECT_EQ(font.MeasureText(nullptr), 0);
}

TEST_F(BitmapFontTest, CodesOutsideTheGridTakeNoSpace)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
    EXPECT_EQ(font.GetCharAdvance('\x1F'), 0);
    EXPECT_EQ(font.GetCharAdvance('\x81'), 0);  // inside the 100 cells, but 0x80 and above never draw
    EXPECT_EQ(font.MeasureText("A\x81\nB"), 13);
    EXPECT_EQ(font.DrawGlyph(&destination, 0, 0, '\xE9'), 0);
}

TEST_F(BitmapFontTest, FixedWidthFontAdvancesByTheCell)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, false);
    EXPECT_EQ(font.GetCharAdvance('A'), kCell + 1);
    EXPECT_EQ(font.GetCharAdvance(' '), kCell + 1);
    EXPECT_EQ(font.MeasureText("AB C"), 4 * (kCell + 1));
}

TEST_F(BitmapFontTest, DrawTextCopiesGlyphAfterGlyph)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
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
    BackedBitmapFont font(&grid, &mask, 32, kCell, kCell, kColumns, kRows, true);
    EXPECT_EQ(font.GetCharAdvance('A'), 4);
    destination.Fill(0x64);
    EXPECT_EQ(font.DrawGlyph(&destination, 0, 0, 'A'), 4);
    EXPECT_EQ(destination.GetPixel(0, 0), 0xFEFEFEu);  // opaque ink: S x 255 / 256
    EXPECT_EQ(destination.GetPixel(1, 0), 0x636363u);  // transparent: D x 255 / 256
    EXPECT_EQ(destination.GetPixel(3, 3), 0x64646464u);  // beyond the glyph's width: untouched
}

TEST_F(BitmapFontTest, MissingOrSmallBitmapsDrawNothing)
{
    Bitmap small(kColumns * kCell - 1, kRows * kCell);
    DrawGrid(small);
    BitmapFont none(nullptr, 32, kCell, kCell, kColumns, kRows, true);
    BitmapFont cut(&small, 32, kCell, kCell, kColumns, kRows, true);
    BackedBitmapFont noMask(&grid, nullptr, 32, kCell, kCell, kColumns, kRows, true);
    BackedBitmapFont smallMask(&grid, &small, 32, kCell, kCell, kColumns, kRows, true);
    BitmapFont noColumns(&grid, 32, kCell, kCell, 0, kRows, true);
    destination.Fill(0x33);
    for (BitmapFont* font : std::initializer_list<BitmapFont*>{&none, &cut, &noMask, &smallMask, &noColumns}) {
        font->DrawText(&destination, 0, 0, "AB");
        font->DrawTextTinted(&destination, 0, 0, "AB", kInk, 0, 1.0f);
        font->DrawText(nullptr, 0, 0, "AB");
    }
    for (int32_t y = 0; y < destination.GetHeight(); ++y)
        for (int32_t x = 0; x < destination.GetWidth(); ++x)
            ASSERT_EQ(destination.GetPixel(x, y), 0x33333333u) << x << "," << y;
    EXPECT_EQ(none.MeasureText("AB"), 2);
    EXPECT_EQ(noMask.DrawGlyph(&destination, 0, 0, 'A'), 0);
    EXPECT_EQ(noColumns.MeasureText("AB"), 0);
}

TEST_F(BitmapFontTintTest, OpacityZeroKeepsTheColoursAndClearsTheTopByte)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
    destination.Fill(0xAB);
    font.DrawTextTinted(&destination, 0, 0, "A", 0xFF0000, 0x00FF00, 0.0f);
    EXPECT_EQ(destination.GetPixel(0, 0), 0x00ABABABu);
    EXPECT_EQ(destination.GetPixel(4, 6), 0x00ABABABu);
    EXPECT_EQ(destination.GetPixel(5, 0), 0xABABABABu);  // outside the glyph
}

TEST_F(BitmapFontTintTest, FullOpacityMapsDarkToPaperAndBrightToInk)
{
    struct Case {
        uint32_t ink, paper;
        float opacity;
        uint32_t bright, dark;
    };
    const Case cases[] = {
        {0xC86432, 0x0A141E, 1.0f, 0xC86432, 0x0A141E},
        {0xC86432, 0x0A141E, 7.5f, 0xC86432, 0x0A141E},  // above 1 counts as 1
        {0xFFFFFF, 0xFFFFFF, 1.0f, 0xFFFFFF, 0xFFFFFF},
        {0xC80000, 0x000000, 0.5f, 0x963232, 0x323232},  // over a destination of 0x64
    };
    for (const Case& c : cases) {
        BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
        destination.Fill(0x64);
        EXPECT_EQ(font.DrawGlyphTinted(&destination, 0, 0, 'A', c.ink, c.paper, std::min(c.opacity, 1.0f)), 6);
        destination.Fill(0x64);
        font.DrawTextTinted(&destination, 0, 0, "A", c.ink, c.paper, c.opacity);
        EXPECT_EQ(destination.GetPixel(0, 0), c.bright) << std::hex << c.ink << " " << c.paper;
        EXPECT_EQ(destination.GetPixel(1, 0), c.dark) << std::hex << c.ink << " " << c.paper;
    }
}

TEST_F(BitmapFontTintTest, NegativeOrUndefinedOpacityDrawsNothing)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
    destination.Fill(0x64);
    font.DrawTextTinted(&destination, 0, 0, "AB", kInk, 0, -0.01f);
    font.DrawTextTinted(&destination, 0, 0, "AB", kInk, 0, std::nanf(""));
    EXPECT_EQ(destination.GetPixel(0, 0), 0x64646464u);
    EXPECT_EQ(destination.GetPixel(7, 3), 0x64646464u);
}

TEST_F(BitmapFontTintTest, TintedGlyphsClipAtTheDestinationsEdges)
{
    BitmapFont font(&grid, 32, kCell, kCell, kColumns, kRows, true);
    destination.Fill(0);
    EXPECT_EQ(font.DrawGlyphTinted(&destination, -1, -1, 'A', kInk, 0, 1.0f), 6);
    EXPECT_EQ(destination.GetPixel(0, 0), kInk);  // the glyph's (1, 1)
    EXPECT_EQ(font.DrawGlyphTinted(&destination, 18, 5, 'A', kInk, 0, 1.0f), 6);
    EXPECT_EQ(destination.GetPixel(19, 6), kInk);  // the glyph's (1, 1) again
}
