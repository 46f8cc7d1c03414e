#include "PAL/BitmapFont.h"

#include <algorithm>
#include <iterator>

BitmapFont::BitmapFont(Bitmap* glyphs, int32_t firstCode, int32_t cellWidth, int32_t cellHeight,
                       int32_t columns, int32_t rows, bool proportional)
    : m_glyphs(glyphs), m_firstCode(firstCode), m_cellWidth(cellWidth), m_cellHeight(cellHeight),
      m_columns(columns), m_rows(rows)
{
    std::fill(std::begin(m_widths), std::end(m_widths), cellWidth);
    if (proportional)
        MeasureGlyphs(glyphs);
}

BitmapFont::~BitmapFont() = default;

bool BitmapFont::IsDrawable(char code) const
{
    const unsigned char c = static_cast<unsigned char>(code);
    if (c >= 0x80 || m_cellWidth <= 0 || m_cellHeight <= 0 || m_columns <= 0 || m_rows <= 0)
        return false;
    const int64_t glyph = int64_t(c) - m_firstCode;
    return glyph >= 0 && glyph < int64_t(m_columns) * m_rows;
}

void BitmapFont::CellOrigin(char code, int32_t& left, int32_t& top) const
{
    const int32_t glyph = int32_t(static_cast<unsigned char>(code)) - m_firstCode;
    left = glyph % m_columns * m_cellWidth;
    top = glyph / m_columns * m_cellHeight;
}

Rect BitmapFont::GlyphRect(char code) const
{
    int32_t left, top;
    CellOrigin(code, left, top);
    return Rect{left, left + std::max(Width(code), 0), top, top + m_cellHeight};
}

bool BitmapFont::CoversGrid(const Bitmap* bitmap) const
{
    return bitmap && bitmap->IsValid() && bitmap->GetWidth() >= int64_t(m_columns) * m_cellWidth &&
           bitmap->GetHeight() >= int64_t(m_rows) * m_cellHeight;
}

bool BitmapFont::HasArtwork() const
{
    return CoversGrid(m_glyphs);
}

void BitmapFont::MeasureGlyphs(const Bitmap* bitmap)
{
    const bool covered = CoversGrid(bitmap);
    for (int c = 0; c < 0x80; ++c) {
        const char code = char(c);
        if (!IsDrawable(code))
            continue;
        int32_t width = 0;
        int32_t left = 0, top = 0;
        if (covered)
            CellOrigin(code, left, top);
        for (int32_t w = m_cellWidth; w >= 1 && width == 0 && covered; --w)
            for (int32_t row = 0; row < m_cellHeight; ++row)
                if (bitmap->GetPixel(left + w - 1, top + row) != 0) {
                    width = w;
                    break;
                }
        m_widths[c] = width;
    }
    m_widths[int(' ')] = m_cellWidth - 2;
}

int32_t BitmapFont::DrawGlyph(Bitmap* destination, int32_t x, int32_t y, char code)
{
    if (!IsDrawable(code))
        return 0;
    if (HasArtwork()) {
        const Rect r = GlyphRect(code);
        m_glyphs->CopyTo(destination, x, y, &r);
    }
    return Width(code) + 1;
}

void BitmapFont::DrawText(Bitmap* destination, int32_t x, int32_t y, const char* text)
{
    if (!text)
        return;
    for (; *text; ++text)
        x += DrawGlyph(destination, x, y, *text);
}

int32_t BitmapFont::MeasureText(const char* text) const
{
    int32_t width = 0;
    if (!text)
        return 0;
    for (; *text; ++text)
        width += GetCharAdvance(*text);
    return width;
}

int32_t BitmapFont::GetCharAdvance(char code) const
{
    return IsDrawable(code) ? Width(code) + 1 : 0;
}

namespace {
int32_t TintChannel(uint32_t d, uint32_t g, uint32_t a, uint32_t p, float opacity)
{
    const int32_t lit = int32_t(g) * (int32_t(a) - int32_t(p)) + 256 * int32_t(p);
    const float value = float(d) * (1.0f - opacity) + float(lit) * opacity / 255.0f;
    if (!(value > 0.0f))
        return 0;
    if (value >= 255.0f)
        return 255;
    return int32_t(value);
}
}  // namespace

int32_t BitmapFont::DrawGlyphTinted(Bitmap* destination, int32_t x, int32_t y, char code, uint32_t ink,
                                    uint32_t paper, float opacity)
{
    if (!IsDrawable(code))
        return 0;
    const int32_t advance = Width(code) + 1;
    if (!destination || !destination->IsValid() || !HasArtwork())
        return advance;
    if (!(opacity >= 0.0f))
        opacity = 0.0f;
    opacity = std::min(opacity, 1.0f);
    Rect r = GlyphRect(code);
    if (!Bitmap::ClipCopy(m_glyphs->GetWidth(), m_glyphs->GetHeight(), destination->GetWidth(),
                          destination->GetHeight(), r, x, y))
        return advance;
    const uint32_t* grid = m_glyphs->Lock();
    const int32_t gridRow = m_glyphs->GetRowPixels();
    uint32_t* to = destination->Lock();
    const int32_t toRow = destination->GetRowPixels();
    for (int32_t row = r.top; row < r.bottom; ++row) {
        const uint32_t* from = grid + size_t(row) * size_t(gridRow);
        uint32_t* target = to + size_t(y + row - r.top) * size_t(toRow) + size_t(x);
        for (int32_t column = r.left; column < r.right; ++column) {
            const uint32_t g = from[column];
            uint32_t& d = target[column - r.left];
            uint32_t result = 0;
            for (int shift = 16; shift >= 0; shift -= 8)
                result |= uint32_t(TintChannel((d >> shift) & 0xFF, (g >> shift) & 0xFF, (ink >> shift) & 0xFF,
                                               (paper >> shift) & 0xFF, opacity))
                          << shift;
            d = result;
        }
    }
    destination->Unlock();
    m_glyphs->Unlock();
    return advance;
}

void BitmapFont::DrawTextTinted(Bitmap* destination, int32_t x, int32_t y, const char* text, uint32_t ink,
                                uint32_t paper, float opacity)
{
    if (!text || !(opacity >= 0.0f))
        return;
    opacity = std::min(opacity, 1.0f);
    for (; *text; ++text)
        x += DrawGlyphTinted(destination, x, y, *text, ink, paper, opacity);
}
