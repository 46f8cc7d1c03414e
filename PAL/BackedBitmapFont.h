#pragma once
// A bitmap font drawn through a mask (the same size as the glyph grid) instead of copied, so glyphs blend
// over what lies beneath. The mask is not owned and must outlive the font.

#include "PAL/BitmapFont.h"

class BackedBitmapFont : public BitmapFont {
public:
    // A proportional font measures its widths again on the mask.
    BackedBitmapFont(Bitmap* glyphs, Bitmap* mask, int32_t firstCode, int32_t cellWidth, int32_t cellHeight,
                     int32_t columns, int32_t rows, bool proportional);

    // Blends the glyph through the mask (Bitmap::CopyMasked with blend); 0 without destination, mask or
    // glyph bitmap, or for a code that is not drawable; draws nothing when the mask differs in size from
    // the glyph bitmap.
    int32_t DrawGlyph(Bitmap* destination, int32_t x, int32_t y, char code) override;

protected:
    bool HasArtwork() const override;

private:
    Bitmap* m_mask;
};
