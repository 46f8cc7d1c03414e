#include "resources/artwork/Draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/artwork/ArtRandom.h"

void SetRgb(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void HalfRoundRect(cairo_t* cr, double x, double y, double w, double h, double r, bool top)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    if (top) {
        cairo_move_to(cr, x, y + h);
        cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
        cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
        cairo_line_to(cr, x + w, y + h);
    } else {
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + w, y);
        cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
        cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    }
    cairo_close_path(cr);
}

void SetVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void FillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha)
{
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    SetRgb(cr, c, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PixelLine(cairo_t* cr, int x0, int y0, int x1, int y1, Rgb c, double alpha)
{
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetRgb(cr, c, alpha);
    if (x0 == x1 || y0 == y1) {
        cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + 1, std::abs(y1 - y0) + 1);
    } else {
        const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= n; ++i)
            cairo_rectangle(cr, std::floor(x0 + (x1 - x0) * double(i) / n + 0.5),
                            std::floor(y0 + (y1 - y0) * double(i) / n + 0.5), 1, 1);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void Recess(cairo_t* cr, double x, double y, double w, double h, double r, Rgb fill)
{
    cairo_save(cr);
    // Light lip below and right, where the panel edge catches the light.
    RoundRect(cr, x, y, w + 1, h + 1, r + 0.5);
    SetRgb(cr, Rgb{1, 1, 1}, 0.10);
    cairo_fill(cr);
    RoundRect(cr, x, y, w, h, r);
    SetRgb(cr, fill);
    cairo_fill_preserve(cr);
    cairo_clip(cr);
    // Inner shadow from the top and left edges.
    for (int i = 0; i < 3; ++i) {
        RoundRect(cr, x - 2 + i * 0.5, y - 2 + i * 0.5, w + 2, h + 2, r + 1);
        cairo_set_line_width(cr, 2.0);
        SetRgb(cr, Rgb{0, 0, 0}, 0.22);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void Screw(cairo_t* cr, double cx, double cy, double r, double turn)
{
    cairo_save(cr);
    // Countersink shadow.
    cairo_arc(cr, cx + 0.4, cy + 0.6, r + 1.0, 0, 2 * kPi);
    SetRgb(cr, Rgb{0, 0, 0}, 0.45);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.78, 0.79, 0.80);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.30, 0.31, 0.33);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // Hex socket.
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
        const double a = turn + i * kPi / 3;
        const double px = cx + std::cos(a) * r * 0.48, py = cy + std::sin(a) * r * 0.48;
        if (i == 0)
            cairo_move_to(cr, px, py);
        else
            cairo_line_to(cr, px, py);
    }
    cairo_close_path(cr);
    SetRgb(cr, Rgb{0.08, 0.08, 0.09});
    cairo_fill(cr);
    cairo_restore(cr);
}

void BrushedMetal(Surface& s, int x0, int y0, int w, int h, Rgb base, uint64_t seed, double grain)
{
    ArtRandom rnd(seed);
    std::vector<double> row(size_t(std::max(w, 1)));
    s.Flush();
    unsigned char* data = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    double rowTone = 0;
    for (int y = 0; y < h; ++y) {
        // Each row is a low-passed noise line (long horizontal grain) plus a slowly wandering tone.
        rowTone = rowTone * 0.6 + rnd.Gauss() * 0.4;
        double v = rnd.Gauss();
        for (int x = 0; x < w; ++x) {
            v = v * 0.93 + rnd.Gauss() * 0.37;
            row[size_t(x)] = v;
        }
        for (int x = 0; x < w; ++x) {
            const int px = x0 + x, py = y0 + y;
            if (px < 0 || py < 0 || px >= s.Width() || py >= s.Height())
                continue;
            const double n = (row[size_t(x)] * 0.55 + rowTone * 0.45 + rnd.Gauss() * 0.25) * grain;
            const double light = 1.0 + 0.10 * (1.0 - double(y) / std::max(1, h - 1)) - 0.05;
            auto channel = [&](double c) {
                const double v2 = c * light + n;
                return uint32_t(std::clamp(v2, 0.0, 1.0) * 255.0 + 0.5);
            };
            const uint32_t p = (channel(base.r) << 16) | (channel(base.g) << 8) | channel(base.b);
            unsigned char* dst = data + py * stride + 4 * px;
            dst[0] = uint8_t(p);
            dst[1] = uint8_t(p >> 8);
            dst[2] = uint8_t(p >> 16);
            dst[3] = 0xFF;
        }
    }
    s.MarkDirty();
}

void PixelPattern(cairo_t* cr, int x, int y, const char* rows, Rgb c, double alpha)
{
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    SetRgb(cr, c, alpha);
    int px = x, py = y;
    for (const char* p = rows; *p; ++p) {
        if (*p == '|') {
            ++py;
            px = x;
            continue;
        }
        if (*p == '#')
            cairo_rectangle(cr, px, py, 1, 1);
        ++px;
    }
    cairo_fill(cr);
    cairo_restore(cr);
}
