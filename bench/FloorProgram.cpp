// The toolkit's floor: what one wxWidgets GTK frame of the main window's size costs with nothing of the
// program in it. Its own font and colours (as the skinned window sets them), a bitmap blitted in the paint
// handler, an idle handler, and a 100 ms timer. bench_program runs it beside the program.
// Usage: bench_floor [changing | quiet | none]
//   changing  every tick draws a 28 x 100 rectangle of the bitmap anew and repaints just that (default)
//   quiet     the timer ticks and does nothing
//   none      no timer
#include <cstdio>
#include <cstring>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/timer.h>

#ifdef __WXGTK3__
#include <gdk/gdk.h>
#endif

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 429;
const wxRect kChanging(300, 150, 28, 100);

enum class Variant { Changing, Quiet, None };

class FloorFrame : public wxFrame {
public:
    explicit FloorFrame(Variant variant) : m_variant(variant), m_timer(this)
    {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Create(nullptr, wxID_ANY, " VelbrinFloor", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxMINIMIZE_BOX);
        const wxVisualAttributes attributes = GetDefaultAttributes();
        SetOwnFont(attributes.font);
        SetOwnForegroundColour(attributes.colFg);
        SetOwnBackgroundColour(attributes.colBg);
        SetClientSize(kWidth, kHeight);

        wxImage image(kWidth, kHeight, false);
        unsigned char* p = image.GetData();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                *p++ = (unsigned char)(x * 255 / kWidth);
                *p++ = (unsigned char)(y * 255 / kHeight);
                *p++ = (unsigned char)((x + y) & 0xFF);
            }
        m_bitmap = wxBitmap(image);

        Bind(wxEVT_PAINT, &FloorFrame::OnPaint, this);
        Bind(wxEVT_IDLE, &FloorFrame::OnIdle, this);
        Bind(wxEVT_TIMER, &FloorFrame::OnTimer, this);
        if (m_variant != Variant::None)
            m_timer.Start(100, wxTIMER_CONTINUOUS);
    }

private:
    void OnPaint(wxPaintEvent&)
    {
        wxPaintDC dc(this);
        dc.DrawBitmap(m_bitmap, 0, 0, false);
    }

    void OnIdle(wxIdleEvent&) { ++m_idles; }

    void OnTimer(wxTimerEvent&)
    {
        if (m_variant != Variant::Changing)
            return;
        {
            wxMemoryDC dc(m_bitmap);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(++m_ticks % 2 ? wxColour(200, 40, 40) : wxColour(40, 200, 40)));
            dc.DrawRectangle(kChanging);
        }
#ifdef __WXGTK3__
        // As the skinned window does: a frame's own RefreshRect repaints the whole window on GTK.
        if (GdkWindow* drawing = GTKGetDrawingWindow()) {
            const GdkRectangle area = {kChanging.x, kChanging.y, kChanging.width, kChanging.height};
            gdk_window_invalidate_rect(drawing, &area, TRUE);
            return;
        }
#endif
        RefreshRect(kChanging, false);
    }

    Variant m_variant;
    wxTimer m_timer;
    wxBitmap m_bitmap;
    unsigned m_ticks = 0;
    unsigned m_idles = 0;
};

class FloorApp : public wxApp {
public:
    bool OnInit() override
    {
        Variant variant = Variant::Changing;
        if (argc > 1) {
            const wxString name = argv[1];
            if (name == "quiet")
                variant = Variant::Quiet;
            else if (name == "none")
                variant = Variant::None;
            else if (name != "changing") {
                fprintf(stderr, "bench_floor: variant is changing, quiet or none\n");
                return false;
            }
        }
        (new FloorFrame(variant))->Show(true);
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP(FloorApp);
