#include "tools/previews/PngFile.h"

#include <cairo.h>

#include <cstdio>
#include <cstring>

bool WriteZoomedPng(const Bitmap& image, int zoom, const std::string& path)
{
    const int w = image.GetWidth(), h = image.GetHeight();
    // Bitmap pixels are native 0x00RRGGBB words, as cairo's RGB24 holds them.
    cairo_surface_t* plain = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    cairo_surface_flush(plain);
    unsigned char* rows = cairo_image_surface_get_data(plain);
    const int stride = cairo_image_surface_get_stride(plain);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t pixel = image.GetPixel(x, y) & 0xFFFFFF;
            memcpy(rows + y * stride + x * 4, &pixel, 4);
        }
    cairo_surface_mark_dirty(plain);

    cairo_surface_t* zoomed = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w * zoom, h * zoom);
    cairo_t* cr = cairo_create(zoomed);
    cairo_scale(cr, zoom, zoom);
    cairo_set_source_surface(cr, plain, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(zoomed, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(zoomed);
    cairo_surface_destroy(plain);
    if (!ok)
        fprintf(stderr, "window_previews: cannot write %s\n", path.c_str());
    return ok;
}
