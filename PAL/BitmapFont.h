#pragma once
// Text drawn from a grid of glyph cells in a bitmap. Glyph g = code - first code lies in cell column
// g mod columns, row g div columns, and is drawn as the cell's left widths[code] pixel columns; every
// glyph advances by its width + 1. Codes of 0x80 and above, and codes outside the grid, draw nothing and
// take no space. A font whose glyph bitmap (or mask) is missing or smaller than the grid draws nothing
// (its glyphs still advance). The glyph bitmap is not owned and must outlive the font. GUI thread only.

#include <cstdint>

#include "PAL/Bitmap.h"

class BitmapFont {
public:
    // proportional: the widths are measured from glyphs (MeasureGlyphs); otherwise every width is the
    // cell width.
    BitmapFont(Bitmap* glyphs, int32_t firstCode, int32_t cellWidth, int32_t cellHeight, int32_t columns,
               int32_t rows, bool proportional);
    virtual ~BitmapFont();

    BitmapFont(const BitmapFont&) = delete;
    BitmapFont& operator=(const BitmapFont&) = delete;

    // Each drawable code's width becomes the index + 1 of the rightmost pixel column of its cell that holds
    // a non-zero pixel (0 without ink, and for every code when bitmap is missing or smaller than the grid);
    // the space gets cell width - 2.
    virtual void MeasureGlyphs(const Bitmap* bitmap);
    // Copies the glyph to (x, y) in destination; returns its advance (0 when not drawable).
    virtual int32_t DrawGlyph(Bitmap* destination, int32_t x, int32_t y, char code);
    // Draws text (NUL-terminated) from (x, y), glyph after glyph.
    virtual void DrawText(Bitmap* destination, int32_t x, int32_t y, const char* text);
    // The sum of the advances of text's drawable characters (one pixel of spacing after the last glyph).
    virtual int32_t MeasureText(const char* text) const;
    virtual int32_t GetCharAdvance(char code) const;
    // Lays the glyph over destination in colours 0x00RRGGBB: per channel, with G the glyph, D the
    // destination, A ink and P paper: D x (1 - opacity) + (G x (A - P) + 256 x P) x opacity / 255, clamped
    // to 0..255. Dark glyph pixels take the paper colour, bright ones the ink. Returns the advance.
    virtual int32_t DrawGlyphTinted(Bitmap* destination, int32_t x, int32_t y, char code, uint32_t ink,
                                    uint32_t paper, float opacity);
    // Opacity below 0 (or not a number) draws nothing; above 1 counts as 1.
    virtual void DrawTextTinted(Bitmap* destination, int32_t x, int32_t y, const char* text, uint32_t ink,
                                uint32_t paper, float opacity);

protected:
    bool IsDrawable(char code) const;
    // The glyph's cell, cut to its width. Only for drawable codes of a font that has its artwork.
    Rect GlyphRect(char code) const;
    // True when bitmap exists and holds the whole grid of cells.
    bool CoversGrid(const Bitmap* bitmap) const;
    // True when every bitmap the font draws from covers the grid; otherwise it draws nothing.
    virtual bool HasArtwork() const;
    int32_t Width(char code) const { return m_widths[static_cast<unsigned char>(code)]; }

    Bitmap* m_glyphs;

private:
    void CellOrigin(char code, int32_t& left, int32_t& top) const;

    int32_t m_firstCode;
    int32_t m_cellWidth;
    int32_t m_cellHeight;
    int32_t m_columns;
    int32_t m_rows;
    int32_t m_widths[256];
};
