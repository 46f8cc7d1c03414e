#include "resources/artwork/Surface.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

Rgb Hex(uint32_t rgb)
{
    return Rgb{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t)
{
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double f)
{
    return Rgb{std::min(1.0, c.r * f), std::min(1.0, c.g * f), std::min(1.0, c.b * f)};
}

Surface::Surface(int width, int height, cairo_format_t format)
    : s_(cairo_image_surface_create(format, width, height))
{
    if (cairo_surface_status(s_) != CAIRO_STATUS_SUCCESS) {
        fprintf(stderr, "velbrin_artwork: cannot make a %d x %d surface\n", width, height);
        exit(1);
    }
    // Fresh surfaces are zeroed by cairo; clear explicitly so the padding bytes are defined too.
    cairo_surface_flush(s_);
    memset(cairo_image_surface_get_data(s_), 0,
           size_t(cairo_image_surface_get_stride(s_)) * size_t(height));
    cairo_surface_mark_dirty(s_);
}

Surface::~Surface()
{
    if (s_)
        cairo_surface_destroy(s_);
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this != &other) {
        if (s_)
            cairo_surface_destroy(s_);
        s_ = std::exchange(other.s_, nullptr);
    }
    return *this;
}

int Surface::Width() const { return cairo_image_surface_get_width(s_); }
int Surface::Height() const { return cairo_image_surface_get_height(s_); }
bool Surface::HasAlpha() const { return cairo_image_surface_get_format(s_) == CAIRO_FORMAT_ARGB32; }

void Surface::Flush() const { cairo_surface_flush(s_); }
void Surface::MarkDirty() { cairo_surface_mark_dirty(s_); }

uint32_t Surface::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    cairo_surface_flush(s_);
    const unsigned char* row = cairo_image_surface_get_data(s_) + y * cairo_image_surface_get_stride(s_);
    uint32_t v;
    memcpy(&v, row + 4 * x, 4);
    return HasAlpha() ? v : (v & 0xFFFFFF);
}

void Surface::Set(int x, int y, uint32_t value)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    cairo_surface_flush(s_);
    unsigned char* row = cairo_image_surface_get_data(s_) + y * cairo_image_surface_get_stride(s_);
    memcpy(row + 4 * x, &value, 4);
    cairo_surface_mark_dirty(s_);
}

Surface Surface::Crop(int x, int y, int w, int h) const
{
    Surface out(w, h, cairo_image_surface_get_format(s_));
    Cairo cr(out);
    cairo_set_source_surface(cr, s_, -x, -y);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    return out;
}

Surface Surface::Clone() const { return Crop(0, 0, Width(), Height()); }

void SplitAlpha(const Surface& drawing, Surface* colour, Surface* mask)
{
    const int w = drawing.Width(), h = drawing.Height();
    *colour = Surface(w, h);
    *mask = Surface(w, h);
    drawing.Flush();
    const unsigned char* src = cairo_image_surface_get_data(drawing.get());
    const int stride = cairo_image_surface_get_stride(drawing.get());
    unsigned char* c = cairo_image_surface_get_data(colour->get());
    unsigned char* m = cairo_image_surface_get_data(mask->get());
    const int cs = cairo_image_surface_get_stride(colour->get());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t p;
            memcpy(&p, src + y * stride + 4 * x, 4);
            const uint32_t a = p >> 24;
            uint32_t out = 0;
            if (a) {
                const uint32_t r = std::min(255u, (((p >> 16) & 0xFF) * 255 + a / 2) / a);
                const uint32_t g = std::min(255u, (((p >> 8) & 0xFF) * 255 + a / 2) / a);
                const uint32_t b = std::min(255u, ((p & 0xFF) * 255 + a / 2) / a);
                out = (r << 16) | (g << 8) | b;
            }
            memcpy(c + y * cs + 4 * x, &out, 4);
            const uint32_t grey = (a << 16) | (a << 8) | a;
            memcpy(m + y * cs + 4 * x, &grey, 4);
        }
    }
    colour->MarkDirty();
    mask->MarkDirty();
}

void Blit(const Surface& src, Surface& dst, double x, double y)
{
    Cairo cr(dst);
    cairo_set_source_surface(cr, src.get(), x, y);
    cairo_paint(cr);
}
