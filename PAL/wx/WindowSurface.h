#pragma once
// The pixels of one desktop window: the page draws into the back buffer, the window shows a copy of it.
// Drawing marks what changed; Flush moves the pixels that really differ into the shown copy and asks
// the window to repaint just those rectangles; the paint handler puts the shown copy on the screen for
// the region being repainted and draws nothing else (no clearing first). On GTK the shown copy is the
// pixel memory of an image the desktop's drawing library reads directly, so a paint copies nothing
// beforehand. GUI thread only.

#include <cstdint>

#include "PAL/Bitmap.h"
#include "PAL/PlatformWindow.h"
#include "PAL/wx/ChangedTiles.h"
#include "platform/wx/WxInputSource.h"

class wxDC;
class wxRegion;
class wxWindow;
typedef struct _cairo_surface cairo_surface_t;

// Counts since the last reset, for tests and benchmarks.
struct SurfaceFigures {
    int32_t marks = 0;            // rectangles drawn into the back buffer
    int32_t flushes = 0;          // Flush calls that asked for a repaint
    int32_t refreshes = 0;        // rectangles handed to the window for repainting
    int64_t refreshedPixels = 0;  // their area
    int32_t paints = 0;           // paint handler runs
    int64_t blittedPixels = 0;    // pixels the paint handler drew
    int64_t blitNanoseconds = 0;  // time spent in the paint handler
};

class WindowSurface : public PlatformWindow {
public:
    // window and clipboard are not owned; clipboard may be null.
    WindowSurface(wxWindow* window, Clipboard* clipboard);
    ~WindowSurface() override;
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    Bitmap* GetBackBuffer() override { return &m_back; }
    void MarkChanged(const Rect& changed) override;
    WxInputSource* GetInput() override { return &m_input; }
    Clipboard* GetClipboard() override { return m_clipboard; }

    // New, black buffers of the size; the whole window is repainted. A sleeping surface only keeps
    // the size.
    void Resize(int32_t width, int32_t height);
    // A sleeping surface (a hidden window's) holds no pixels: nothing drawn into it is kept, and it
    // gets new, black buffers of its size when woken. Awake from the start.
    void SetAwake(bool awake);
    bool IsAwake() const { return m_awake; }
    // Asks the window to repaint the pixels drawn since the last flush that differ from the shown ones.
    void Flush();
    // The paint handler's work: the shown pixels of the region being repainted, into the window.
    void Paint();
    // The same through a toolkit drawing context: every rectangle of the region (client coordinates).
    void Blit(wxDC& dc, const wxRegion& region);

    // What the window shows (after the next paint).
    Bitmap& GetShown() { return m_shown; }
    const SurfaceFigures& GetFigures() const { return m_figures; }
    void ResetFigures() { m_figures = SurfaceFigures(); }

private:
    wxWindow* m_window;
    Clipboard* m_clipboard;
    WxInputSource m_input;
    bool m_awake = true;
    int32_t m_width = 0;
    int32_t m_height = 0;
    Bitmap m_back{0, 0};
    Bitmap m_shown{0, 0};
    // The shown copy's pixels as an image of the drawing library; null where that is not possible.
    cairo_surface_t* m_image = nullptr;
    ChangedTiles m_tiles;
    SurfaceFigures m_figures;
};
