#include "resources/artwork/StrokeFont.h"


namespace {

// Each glyph: advance width in units, then polylines "x,y x,y ...;x,y ..." on a grid 6 units high
// (y down). A polyline of one point is a dot.
struct StrokeGlyph {
    char code;
    double width;
    const char* strokes;
};

const StrokeGlyph kStrokes[] = {
    {'A', 4, "0,6 2,0 4,6;0.7,4 3.3,4"},
    {'B', 4, "0,3 3,3 4,4 4,5 3,6 0,6 0,0 3,0 4,1 4,2 3,3"},
    {'C', 4, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', 4, "0,0 0,6 3,6 4,5 4,1 3,0 0,0"},
    {'E', 4, "4,0 0,0 0,6 4,6;0,3 3,3"},
    {'F', 4, "4,0 0,0 0,6;0,3 3,3"},
    {'G', 4, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3 2.2,3"},
    {'H', 4, "0,0 0,6;4,0 4,6;0,3 4,3"},
    {'I', 0, "0,0 0,6"},
    {'J', 4, "4,0 4,5 3,6 1,6 0,5"},
    {'K', 4, "0,0 0,6;4,0 0,4;1.4,2.6 4,6"},
    {'L', 4, "0,0 0,6 4,6"},
    {'M', 5, "0,6 0,0 2.5,4 5,0 5,6"},
    {'N', 4, "0,6 0,0 4,6 4,0"},
    {'O', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'P', 4, "0,6 0,0 3,0 4,1 4,2 3,3 0,3"},
    {'Q', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0;2.6,4.6 4.2,6.2"},
    {'R', 4, "0,6 0,0 3,0 4,1 4,2 3,3 0,3;2,3 4,6"},
    {'S', 4, "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', 4, "0,0 4,0;2,0 2,6"},
    {'U', 4, "0,0 0,5 1,6 3,6 4,5 4,0"},
    {'V', 4, "0,0 2,6 4,0"},
    {'W', 5.5, "0,0 1.4,6 2.75,2 4.1,6 5.5,0"},
    {'X', 4, "0,0 4,6;4,0 0,6"},
    {'Y', 4, "0,0 2,3 4,0;2,3 2,6"},
    {'Z', 4, "0,0 4,0 0,6 4,6"},
    {'0', 4, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'1', 2, "0,1 1.5,0 1.5,6"},
    {'2', 4, "0,1 1,0 3,0 4,1 4,2 0,6 4,6"},
    {'3', 4, "0,1 1,0 3,0 4,1 4,2 3,3 1.5,3;3,3 4,4 4,5 3,6 1,6 0,5"},
    {'4', 4, "3,6 3,0 0,4 4,4"},
    {'5', 4, "4,0 0,0 0,3 3,3 4,4 4,5 3,6 0,6"},
    {'6', 4, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
    {'7', 4, "0,0 4,0 1.5,6"},
    {'8', 4, "1,0 3,0 4,1 4,2 3,3 1,3 0,2 0,1 1,0;1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3"},
    {'9', 4, "0,5 1,6 3,6 4,5 4,1 3,0 1,0 0,1 0,2 1,3 4,3"},
    {'&', 4.5, "4.5,6 1,2 1,1 2,0 3,1 3,2 0,4 0,5 1,6 2.5,6 4.5,3.5"},
    {'/', 3, "0,6 3,0"},
    {'.', 0, "0,6"},
    {'-', 3, "0,3 3,3"},
    {'+', 4, "0,3 4,3;2,1 2,5"},
    {':', 0, "0,2;0,5.5"},
    {'!', 0, "0,0 0,4;0,6"},
};

// Reads a plain decimal ("2", "0.7", "-1.5") without the C library, which would follow the locale.
double ReadNumber(const char*& p)
{
    double sign = 1, v = 0, scale = 0;
    if (*p == '-') {
        sign = -1;
        ++p;
    }
    for (; (*p >= '0' && *p <= '9') || *p == '.'; ++p) {
        if (*p == '.') {
            scale = 1;
            continue;
        }
        v = v * 10 + (*p - '0');
        scale *= 10;
    }
    return sign * (scale > 0 ? v / scale : v);
}

const StrokeGlyph* FindGlyph(char c)
{
    for (const StrokeGlyph& g : kStrokes)
        if (g.code == c)
            return &g;
    return nullptr;
}

double AdvanceUnits(char c, double spacing)
{
    if (c == ' ')
        return 3.0;
    const StrokeGlyph* g = FindGlyph(c);
    return g ? g->width + spacing : 0;
}

void AddGlyph(cairo_t* cr, const StrokeGlyph& g, double x, double y, double unit)
{
    const char* p = g.strokes;
    while (*p) {
        bool first = true;
        double lx = 0, ly = 0;
        int points = 0;
        while (*p && *p != ';') {
            const double gx = ReadNumber(p);
            ++p;  // the comma
            const double gy = ReadNumber(p);
            while (*p == ' ')
                ++p;
            lx = x + gx * unit;
            ly = y + gy * unit;
            if (first)
                cairo_move_to(cr, lx, ly);
            else
                cairo_line_to(cr, lx, ly);
            first = false;
            ++points;
        }
        if (points == 1)
            cairo_line_to(cr, lx, ly);  // a dot: zero-length segment, drawn by the round cap
        if (*p == ';')
            ++p;
    }
}

}  // namespace

double StrokeFont::Measure(const std::string& text, double size, double spacing)
{
    double units = 0;
    for (char c : text)
        units += AdvanceUnits(c, spacing);
    if (!text.empty() && text.back() != ' ')
        units -= spacing;
    return units * size / 6.0;
}

void StrokeFont::AddPath(cairo_t* cr, double x, double y, const std::string& text, double size,
                         double spacing)
{
    const double unit = size / 6.0;
    for (char c : text) {
        if (const StrokeGlyph* g = FindGlyph(c))
            AddGlyph(cr, *g, x, y, unit);
        x += AdvanceUnits(c, spacing) * unit;
    }
}

void StrokeFont::Stroke(cairo_t* cr, double x, double y, const std::string& text, double size,
                        double spacing)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    AddPath(cr, x, y, text, size, spacing);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void StrokeFont::StrokeCentred(cairo_t* cr, double cx, double y, const std::string& text, double size,
                               double spacing)
{
    Stroke(cr, cx - Measure(text, size, spacing) / 2, y, text, size, spacing);
}
