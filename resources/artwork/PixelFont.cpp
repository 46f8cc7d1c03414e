#include "resources/artwork/PixelFont.h"

#include <cmath>
#include <cstring>

namespace {

// Cell rows 1..6 of each glyph, separated by '|': rows 1..5 hold capitals and digits, row 6 the
// descenders. '#' is ink.
struct GlyphRows {
    char code;
    const char* rows;
};

const GlyphRows kGlyphs[] = {
    {'!', "#|#|#||#"},
    {'"', "#.#|#.#"},
    {'#', ".#.#.|#####|.#.#.|#####|.#.#."},
    {'$', ".###|#.#.|.###|..#.#|###.|..#"},
    {'%', "#.#|..#|.#.|#..|#.#"},
    {'&', ".#...|#.#..|.#..#|#.##.|.##.#"},
    {'\'', "#|#"},
    {'(', ".#|#.|#.|#.|.#"},
    {')', "#.|.#|.#|.#|#."},
    {'*', "|#.#|.#.|#.#"},
    {'+', "|.#.|###|.#."},
    {',', "||||#|#"},
    {'-', "||###"},
    {'.', "||||#"},
    {'/', "..#|..#|.#.|#..|#.."},
    {'0', "###|#.#|#.#|#.#|###"},
    {'1', ".#.|##.|.#.|.#.|###"},
    {'2', "##.|..#|.#.|#..|###"},
    {'3', "##.|..#|.#.|..#|##."},
    {'4', "#.#|#.#|###|..#|..#"},
    {'5', "###|#..|##.|..#|##."},
    {'6', ".##|#..|###|#.#|###"},
    {'7', "###|..#|.#.|.#.|.#."},
    {'8', "###|#.#|###|#.#|###"},
    {'9', "###|#.#|###|..#|##."},
    {':', "|#||#"},
    {';', "|.#||.#|#."},
    {'<', "..#|.#.|#..|.#.|..#"},
    {'=', "|###||###"},
    {'>', "#..|.#.|..#|.#.|#.."},
    {'?', "##.|..#|.#.||.#."},
    {'@', ".##.|#..#|#.##|#...|.###"},
    {'A', ".#.|#.#|###|#.#|#.#"},
    {'B', "##.|#.#|##.|#.#|##."},
    {'C', ".##|#..|#..|#..|.##"},
    {'D', "##.|#.#|#.#|#.#|##."},
    {'E', "###|#..|##.|#..|###"},
    {'F', "###|#..|##.|#..|#.."},
    {'G', ".###|#...|#.##|#..#|.###"},
    {'H', "#.#|#.#|###|#.#|#.#"},
    {'I', "###|.#.|.#.|.#.|###"},
    {'J', "..#|..#|..#|#.#|.#."},
    {'K', "#.#|#.#|##.|#.#|#.#"},
    {'L', "#..|#..|#..|#..|###"},
    {'M', "#...#|##.##|#.#.#|#...#|#...#"},
    {'N', "#..#|##.#|#.##|#..#|#..#"},
    {'O', ".##.|#..#|#..#|#..#|.##."},
    {'P', "##.|#.#|##.|#..|#.."},
    {'Q', ".##.|#..#|#..#|#.##|.###"},
    {'R', "##.|#.#|##.|#.#|#.#"},
    {'S', ".##|#..|.#.|..#|##."},
    {'T', "###|.#.|.#.|.#.|.#."},
    {'U', "#.#|#.#|#.#|#.#|###"},
    {'V', "#.#|#.#|#.#|#.#|.#."},
    {'W', "#...#|#...#|#.#.#|##.##|#...#"},
    {'X', "#.#|#.#|.#.|#.#|#.#"},
    {'Y', "#.#|#.#|.#.|.#.|.#."},
    {'Z', "###|..#|.#.|#..|###"},
    {'[', "##|#.|#.|#.|##"},
    {'\\', "#..|#..|.#.|..#|..#"},
    {']', "##|.#|.#|.#|##"},
    {'^', ".#.|#.#"},
    {'_', "|||||###"},
    {'`', "#.|.#"},
    {'a', "|.##|#.#|#.#|.##"},
    {'b', "#..|##.|#.#|#.#|##."},
    {'c', "|.##|#..|#..|.##"},
    {'d', "..#|.##|#.#|#.#|.##"},
    {'e', "|.#.|###|#..|.##"},
    {'f', ".##|#..|##.|#..|#.."},
    {'g', "|.##|#.#|.##|..#|##."},
    {'h', "#..|##.|#.#|#.#|#.#"},
    {'i', "#||#|#|#"},
    {'j', ".#||.#|.#|.#|#."},
    {'k', "#..|#.#|##.|#.#|#.#"},
    {'l', "#|#|#|#|#"},
    {'m', "|####.|#.#.#|#.#.#|#.#.#"},
    {'n', "|##.|#.#|#.#|#.#"},
    {'o', "|.#.|#.#|#.#|.#."},
    {'p', "|##.|#.#|##.|#..|#.."},
    {'q', "|.##|#.#|.##|..#|..#"},
    {'r', "|#.#|##.|#..|#.."},
    {'s', "|.##|#..|..#|##."},
    {'t', ".#.|###|.#.|.#.|..#"},
    {'u', "|#.#|#.#|#.#|.##"},
    {'v', "|#.#|#.#|#.#|.#."},
    {'w', "|#...#|#.#.#|#.#.#|.#.#."},
    {'x', "||#.#|.#.|#.#"},
    {'y', "|#.#|#.#|.##|..#|##."},
    {'z', "|###|..#|.#.|###"},
    {'{', ".##|.#.|#..|.#.|.##"},
    {'|', "#|#|#|#|#"},
    {'}', "##.|.#.|..#|.#.|##."},
    {'~', "|.#.#|#.#."},
};

// Ink bitmaps by code, built once: kInk[code][row] with bit x set for ink at column x.
struct InkTable {
    uint8_t bits[128][PixelFont::kCell] = {};
    InkTable()
    {
        for (const GlyphRows& g : kGlyphs) {
            int row = PixelFont::kTop, col = 0;
            for (const char* p = g.rows; *p; ++p) {
                if (*p == '|') {
                    ++row;
                    col = 0;
                    continue;
                }
                if (*p == '#' && row < PixelFont::kCell && col < PixelFont::kCell)
                    bits[int(g.code)][row] |= uint8_t(1u << col);
                ++col;
            }
        }
    }
};

const InkTable& Table()
{
    static const InkTable table;
    return table;
}

}  // namespace

bool PixelFont::Ink(int code, int x, int y)
{
    if (code < 0 || code >= 128 || x < 0 || y < 0 || x >= kCell || y >= kCell)
        return false;
    return (Table().bits[code][y] >> x) & 1;
}

int PixelFont::InkWidth(int code)
{
    int w = 0;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            if (Ink(code, x, y) && x + 1 > w)
                w = x + 1;
    return w;
}

int PixelFont::Measure(const std::string& text, int tracking, int space)
{
    int w = 0;
    for (unsigned char ch : text)
        w += ch == ' ' ? space : InkWidth(ch) + tracking;
    return w;
}

void PixelFont::Draw(cairo_t* cr, int x, int y, const std::string& text, Rgb c, double alpha,
                     int tracking, int space)
{
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
    for (unsigned char ch : text) {
        if (ch == ' ') {
            x += space;
            continue;
        }
        for (int gy = 0; gy < kCell; ++gy)
            for (int gx = 0; gx < kCell; ++gx)
                if (Ink(ch, gx, gy))
                    cairo_rectangle(cr, x + gx, y + gy, 1, 1);
        x += InkWidth(ch) + tracking;
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void PixelFont::DrawCentred(cairo_t* cr, double cx, int y, const std::string& text, Rgb c,
                            double alpha, int tracking, int space)
{
    const int w = Measure(text, tracking, space) - tracking;
    Draw(cr, int(std::floor(cx - w / 2.0 + 0.5)), y, text, c, alpha, tracking, space);
}

void PixelFont::DrawEngraved(cairo_t* cr, int x, int y, const std::string& text, Rgb c, int tracking,
                             int space)
{
    Draw(cr, x + 1, y + 1, text, Rgb{0, 0, 0}, 0.55, tracking, space);
    Draw(cr, x, y, text, c, 1.0, tracking, space);
}

void PixelFont::BuildGrid(Rgb ink, Surface* grid, Surface* mask)
{
    *grid = Surface(kCell * kColumns, kCell * kRows);
    *mask = Surface(kCell * kColumns, kCell * kRows);
    const uint32_t inkPixel = (uint32_t(ink.r * 255 + 0.5) << 16) | (uint32_t(ink.g * 255 + 0.5) << 8) |
                              uint32_t(ink.b * 255 + 0.5);
    for (int code = kFirstCode; code < kFirstCode + kColumns * kRows; ++code) {
        const int g = code - kFirstCode;
        const int cx = (g % kColumns) * kCell, cy = (g / kColumns) * kCell;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x)
                if (Ink(code, x, y)) {
                    grid->Set(cx + x, cy + y, inkPixel);
                    mask->Set(cx + x, cy + y, 0xFFFFFF);
                }
    }
}
