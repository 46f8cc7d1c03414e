#include "PAL/wx/WindowSurface.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/window.h>

#ifdef __WXGTK3__
#include <gdk/gdk.h>
#endif

namespace {

// Asks for a repaint of just the rectangles, in one request. A frame's own Refresh on GTK repaints the
// whole window whatever rectangle it is given, so the drawing window is invalidated directly there.
void InvalidateRects(wxWindow* window, const std::vector<Rect>& rects)
{
#ifdef __WXGTK3__
    if (GdkWindow* drawing = window->GTKGetDrawingWindow()) {
        cairo_region_t* region = cairo_region_create();
        for (const Rect& r : rects) {
            const cairo_rectangle_int_t area = {r.left, r.top, r.right - r.left, r.bottom - r.top};
            cairo_region_union_rectangle(region, &area);
        }
        gdk_window_invalidate_region(drawing, region, TRUE);
        cairo_region_destroy(region);
        return;
    }
#endif
    for (const Rect& r : rects)
        window->RefreshRect(wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top), false);
}

// The rectangles a paint may draw into. wx reports a repaint's region as its bounding box; the
// drawing context's clip holds the exact rectangles, so two distant changes do not cost the pixels
// between them.
std::vector<wxRect> PaintRectangles(wxDC& dc, const wxRegion& region)
{
    std::vector<wxRect> rects;
#ifdef __WXGTK3__
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    auto* cairo = graphics ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
    if (cairo_rectangle_list_t* list = cairo ? cairo_copy_clip_rectangle_list(cairo) : nullptr) {
        if (list->status == CAIRO_STATUS_SUCCESS)
            for (int i = 0; i < list->num_rectangles; ++i) {
                const cairo_rectangle_t& r = list->rectangles[i];
                rects.emplace_back(wxPoint(int(r.x), int(r.y)), wxPoint(int(r.x + r.width) - 1, int(r.y + r.height) - 1));
            }
        const bool exact = list->status == CAIRO_STATUS_SUCCESS;
        cairo_rectangle_list_destroy(list);
        if (exact)
            return rects;
        rects.clear();
    }
#else
    (void)dc;
#endif
    for (wxRegionIterator it(region); it; ++it)
        rects.push_back(it.GetRect());
    return rects;
}

// An image of the drawing library over the bitmap's own pixels (0x00RRGGBB words are its RGB24 format),
// or null when its rows are not laid out as the library needs.
cairo_surface_t* ImageOver(Bitmap& bitmap)
{
#ifdef __WXGTK3__
    uint32_t* pixels = bitmap.Lock();
    bitmap.Unlock();
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, bitmap.GetWidth());
    if (!pixels || stride != bitmap.GetRowPixels() * int(sizeof(uint32_t)))
        return nullptr;
    cairo_surface_t* image = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                                 CAIRO_FORMAT_RGB24, bitmap.GetWidth(),
                                                                 bitmap.GetHeight(), stride);
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS)
        return image;
    cairo_surface_destroy(image);
#else
    (void)bitmap;
#endif
    return nullptr;
}

}  // namespace

WindowSurface::WindowSurface(wxWindow* window, Clipboard* clipboard)
    : m_window(window), m_clipboard(clipboard), m_input(window)
{
}

WindowSurface::~WindowSurface()
{
#ifdef __WXGTK3__
    if (m_image)
        cairo_surface_destroy(m_image);
#endif
}

void WindowSurface::MarkChanged(const Rect& changed)
{
    ++m_figures.marks;
    m_tiles.Mark(changed);
}

void WindowSurface::Resize(int32_t width, int32_t height)
{
    m_width = width;
    m_height = height;
#ifdef __WXGTK3__
    if (m_image)
        cairo_surface_destroy(m_image);
#endif
    m_image = nullptr;
    m_back.Create(m_awake ? width : 0, m_awake ? height : 0);
    m_shown.Create(m_awake ? width : 0, m_awake ? height : 0);
    m_image = ImageOver(m_shown);
    m_tiles.Resize(m_back.GetWidth(), m_back.GetHeight());
    if (m_window && m_awake)
        m_window->Refresh(false);
}

void WindowSurface::SetAwake(bool awake)
{
    if (awake == m_awake)
        return;
    m_awake = awake;
    Resize(m_width, m_height);
}

void WindowSurface::Flush()
{
    if (!m_tiles.AnyMarked())
        return;
    const std::vector<Rect> changed = m_tiles.Collect(m_back, m_shown);
    if (changed.empty())
        return;
    ++m_figures.flushes;
    for (const Rect& r : changed) {
        ++m_figures.refreshes;
        m_figures.refreshedPixels += int64_t(r.right - r.left) * (r.bottom - r.top);
#ifdef __WXGTK3__
        // The library may keep a copy of the image on the display's side: these pixels are new.
        if (m_image)
            cairo_surface_mark_dirty_rectangle(m_image, r.left, r.top, r.right - r.left, r.bottom - r.top);
#endif
    }
    if (m_window)
        InvalidateRects(m_window, changed);
}

void WindowSurface::Paint()
{
#ifdef __WXGTK3__
    cairo_t* cairo = m_window ? m_window->GTKPaintContext() : nullptr;
    if (cairo && m_image) {
        const auto start = std::chrono::steady_clock::now();
        ++m_figures.paints;
        const int32_t width = m_shown.GetWidth(), height = m_shown.GetHeight();
        if (cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cairo)) {
            for (int i = 0; list->status == CAIRO_STATUS_SUCCESS && i < list->num_rectangles; ++i) {
                const cairo_rectangle_t& r = list->rectangles[i];
                const int64_t w = std::min<int64_t>(int64_t(r.x + r.width), width) - std::max<int64_t>(int64_t(r.x), 0);
                const int64_t h = std::min<int64_t>(int64_t(r.y + r.height), height) - std::max<int64_t>(int64_t(r.y), 0);
                if (w > 0 && h > 0)
                    m_figures.blittedPixels += w * h;
            }
            cairo_rectangle_list_destroy(list);
        }
        // The toolkit has clipped the context to the region being repainted.
        cairo_save(cairo);
        cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cairo, m_image, 0, 0);
        cairo_rectangle(cairo, 0, 0, width, height);
        cairo_fill(cairo);
        cairo_restore(cairo);
        m_figures.blitNanoseconds +=
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
        return;
    }
#endif
    if (!m_window)
        return;
    wxPaintDC dc(m_window);
    Blit(dc, m_window->GetUpdateRegion());
}

void WindowSurface::Blit(wxDC& dc, const wxRegion& region)
{
    const auto start = std::chrono::steady_clock::now();
    ++m_figures.paints;
    const uint32_t* pixels = m_shown.Lock();
    const int32_t row = m_shown.GetRowPixels();
    for (const wxRect& r : PaintRectangles(dc, region)) {
        if (!pixels)
            break;
        const int32_t left = std::max(r.GetLeft(), 0), right = std::min(r.GetRight() + 1, m_shown.GetWidth());
        const int32_t top = std::max(r.GetTop(), 0), bottom = std::min(r.GetBottom() + 1, m_shown.GetHeight());
        if (left >= right || top >= bottom)
            continue;
        wxImage image(right - left, bottom - top, false);
        unsigned char* out = image.GetData();
        for (int32_t y = top; y < bottom; ++y) {
            const uint32_t* in = pixels + size_t(y) * size_t(row);
            for (int32_t x = left; x < right; ++x) {
                const uint32_t p = in[x];
                *out++ = (unsigned char)(p >> 16);
                *out++ = (unsigned char)(p >> 8);
                *out++ = (unsigned char)p;
            }
        }
        dc.DrawBitmap(wxBitmap(image), left, top, false);
        m_figures.blittedPixels += int64_t(right - left) * (bottom - top);
    }
    m_shown.Unlock();
    m_figures.blitNanoseconds +=
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
}
