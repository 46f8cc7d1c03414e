#pragma once
// The program's own pixel font: capitals five pixels high, proportional widths, one blank column
// between glyphs. It is the glyph grid of the labels' bitmap font ("font.bmp" and its mask) and
// the silkscreen lettering of the backdrops, so captions and labels share one typeface.

#include <string>

#include "resources/artwork/Surface.h"

class PixelFont {
public:
    // Cell geometry of the glyph grid the labels read: first code 32, 7 x 7 cells, 20 x 5 cells.
    static constexpr int kFirstCode = 32;
    static constexpr int kCell = 7;
    static constexpr int kColumns = 20;
    static constexpr int kRows = 5;
    // Rows of the cell above the capitals; capitals fill rows kTop .. kTop + 4, descenders one more.
    static constexpr int kTop = 1;

    // Ink of glyph `code` at (x, y) of its cell; false outside the glyph or for unknown codes.
    static bool Ink(int code, int x, int y);
    // Ink width of a glyph (rightmost inked column + 1); 0 for blanks.
    static int InkWidth(int code);

    // Advance of a text as drawn by Draw: ink widths plus `tracking` after each glyph, blanks
    // `space` wide.
    static int Measure(const std::string& text, int tracking = 1, int space = 3);

    // Draws text with its cell top-left at (x, y); pixel-exact (no anti-aliasing), in colour c
    // with opacity alpha.
    static void Draw(cairo_t* cr, int x, int y, const std::string& text, Rgb c, double alpha = 1.0,
                     int tracking = 1, int space = 3);
    // Centred on cx (rounded to whole pixels).
    static void DrawCentred(cairo_t* cr, double cx, int y, const std::string& text, Rgb c,
                            double alpha = 1.0, int tracking = 1, int space = 3);
    // Text with a one-pixel dark shadow below-right, the silkscreen look on brushed metal.
    static void DrawEngraved(cairo_t* cr, int x, int y, const std::string& text, Rgb c,
                             int tracking = 1, int space = 3);

    // The glyph grid (ink colour on black) and its opacity mask (white ink on black), 140 x 35.
    static void BuildGrid(Rgb ink, Surface* grid, Surface* mask);
};
