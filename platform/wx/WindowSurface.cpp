#include "platform/wx/WindowSurface.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/window.h>

#ifdef __WXGTK3__
#include <gdk/gdk.h>
#endif

namespace {

// Asks for a repaint of just the rectangle. A frame's own Refresh on GTK repaints the whole window
// whatever rectangle it is given, so the drawing window is invalidated directly there.
void InvalidateRect(wxWindow* window, const Rect& r)
{
#ifdef __WXGTK3__
    if (GdkWindow* drawing = window->GTKGetDrawingWindow()) {
        const GdkRectangle area = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        gdk_window_invalidate_rect(drawing, &area, TRUE);
        return;
    }
#endif
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

}  // namespace

WindowSurface::WindowSurface(wxWindow* window, Clipboard* clipboard)
    : m_window(window), m_clipboard(clipboard), m_input(window)
{
}

void WindowSurface::MarkChanged(const Rect& changed)
{
    ++m_figures.marks;
    m_tiles.Mark(changed);
}

void WindowSurface::Resize(int32_t width, int32_t height)
{
    m_back.Create(width, height);
    m_shown.Create(width, height);
    m_tiles.Resize(m_back.GetWidth(), m_back.GetHeight());
    if (m_window)
        m_window->Refresh(false);
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
        if (m_window)
            InvalidateRect(m_window, r);
    }
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
