#include "PAL/BackedBitmapFont.h"

BackedBitmapFont::BackedBitmapFont(Bitmap* glyphs, Bitmap* mask, int32_t firstCode, int32_t cellWidth,
                                   int32_t cellHeight, int32_t columns, int32_t rows, bool proportional)
    : BitmapFont(glyphs, firstCode, cellWidth, cellHeight, columns, rows, proportional), m_mask(mask)
{
    if (proportional)
        MeasureGlyphs(mask);
}

int32_t BackedBitmapFont::DrawGlyph(Bitmap* destination, int32_t x, int32_t y, char code)
{
    if (!destination || !m_mask || !m_glyphs || !IsDrawable(code))
        return 0;
    if (HasArtwork()) {
        const Rect r = GlyphRect(code);
        m_glyphs->CopyMasked(destination, m_mask, x, y, &r, true);
    }
    return Width(code) + 1;
}

bool BackedBitmapFont::HasArtwork() const
{
    return CoversGrid(m_glyphs) && CoversGrid(m_mask);
}
