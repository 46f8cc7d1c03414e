#include "platform/wx/WindowSurface.h"

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>
#include <wx/region.h>
#include <wx/window.h>

WindowSurface::WindowSurface(wxWindow* window, Clipboard* clipboard)
    : m_window(window), m_clipboard(clipboard), m_input(window)
{
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
            m_window->RefreshRect(wxRect(r.left, r.top, r.right - r.left, r.bottom - r.top), false);
    }
}

void WindowSurface::Blit(wxDC& dc, const wxRegion& region)
{
    ++m_figures.paints;
    const uint32_t* pixels = m_shown.Lock();
    const int32_t row = m_shown.GetRowPixels();
    for (wxRegionIterator it(region); pixels && it; ++it) {
        const wxRect r = it.GetRect();
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
}
