#pragma once
// An owned cairo image surface. Colour images are opaque RGB24; drawings with transparency use
// ARGB32 and are split into a colour image and an opacity mask before they are stored.

#include <cairo.h>

#include <cstdint>
#include <utility>

struct Rgb {
    double r, g, b;
};

Rgb Hex(uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double f);

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, cairo_format_t format = CAIRO_FORMAT_RGB24);
    ~Surface();
    Surface(Surface&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    cairo_surface_t* get() const { return s_; }
    int Width() const;
    int Height() const;
    bool HasAlpha() const;

    // Pixel access as 0x00RRGGBB (RGB24) or premultiplied 0xAARRGGBB (ARGB32); flushes and marks.
    uint32_t Get(int x, int y) const;
    void Set(int x, int y, uint32_t value);
    void Flush() const;
    void MarkDirty();

    // A copy of the area {x, y, w, h} (clipped; outside is black).
    Surface Crop(int x, int y, int w, int h) const;
    Surface Clone() const;

private:
    cairo_surface_t* s_ = nullptr;
};

// A drawing context on a surface, destroyed with the scope.
class Cairo {
public:
    explicit Cairo(const Surface& surface) : cr_(cairo_create(surface.get())) {}
    ~Cairo() { cairo_destroy(cr_); }
    Cairo(const Cairo&) = delete;
    Cairo& operator=(const Cairo&) = delete;
    operator cairo_t*() const { return cr_; }

private:
    cairo_t* cr_;
};

// Splits an ARGB32 drawing into its straight colour (over black where transparent) and its opacity
// as a grey RGB24 mask.
void SplitAlpha(const Surface& drawing, Surface* colour, Surface* mask);

// Draws src over dst at (x, y) (cairo OVER).
void Blit(const Surface& src, Surface& dst, double x, double y);
