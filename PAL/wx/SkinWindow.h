#pragma once
// A top-level frame whose whole client area is one control page. The window turns desktop events into
// page calls, runs a 100 ms tick (worker hand-over, meter ballistics, drag poll, repaint), keeps its
// meter group in step with its visibility and focus, names the control under the pointer in its
// tooltip, and only hides when closed. The page draws into the window's back buffer; the window shows
// the buffer. What the page reads of the pointer, the buttons and the modifiers is what the mouse event
// being handled carries, or between events what the last one carried (WxInputSource); each tick lets
// the drag poll ask the desktop once, for a release no event of this window told of.
//
// The page is not owned (it belongs to its controller or to the application). GUI thread only.

#include <cstdint>
#include <memory>

#include <wx/frame.h>
#include <wx/timer.h>

#include "PAL/LinkWindow.h"
#include "PAL/wx/WindowSurface.h"

class ControlPage;
class MeterGroups;
class PixelDrawContext;
class View;

class SkinWindow : public wxFrame, public LinkWindow {
public:
    // meterList is not owned; null (and then group 0) for a window without meters. A window of group 0
    // never changes the meter list. Made hidden, with no page; the tick starts at once.
    SkinWindow(wxWindow* parent, wxWindowID id, const wxString& title, long style, MeterGroups* meterList,
               int32_t meterGroup, const wxPoint& position = wxDefaultPosition,
               const wxSize& size = wxDefaultSize);
    ~SkinWindow() override;

    // Process-wide, before the first window is made: with rest on, a hidden window neither ticks nor
    // gets idle events nor holds pixels (its page is brought up to date and painted when it is shown
    // again), and a window with a parent (a panel window) gets its desktop window only when it is first
    // shown or placed. Off by default: every window ticks, shown or hidden.
    static void SetRestWhileHidden(bool rest);

    // Detaches the current page (it keeps its views and bindings) and attaches page; null only detaches.
    virtual void SetView(ControlPage* page);
    virtual ControlPage* GetView() { return m_page; }
    // Sizes the window to the page, lends it the window's drawing context and paints it.
    virtual void AttachView();
    // Called at the start of every tick; nothing here.
    virtual void OnTick() {}

    // Showing moves the meter group to the front; the group is enabled exactly while shown.
    bool Show(bool show = true) override;
    // While windows rest: a hidden window has no idle work, and a window reached as the child of
    // another is skipped (every skinned window is top-level and has an idle turn of its own).
    bool SendIdleEvents(wxIdleEvent& event) override;
    // A window not made yet on the desktop is left out of its parent's keyboard focus chain.
    bool AcceptsFocusFromKeyboard() const override { return m_created && wxFrame::AcceptsFocusFromKeyboard(); }
    void Raise() override;

    // The stereo links move and show effect windows through these.
    using wxFrame::GetPosition;
    using wxFrame::GetSize;
    using wxFrame::IsShown;
    using wxFrame::SetSize;
    void GetPosition(int32_t& x, int32_t& y) override;
    void GetSize(int32_t& width, int32_t& height) override;
    void SetSize(int32_t x, int32_t y, int32_t width, int32_t height) override;
    bool IsShown() override { return wxFrame::IsShown(); }
    void SetCaption(const std::string& title) override;
    std::string GetCaption() override;

    // The hover callback of every view of the page: the tooltip names the first bound parameter of
    // the control the pointer entered, and is emptied when it left.
    void OnControlHover(View* view);

    // The 100 ms tick (from the shared WindowTicker): the window's hook, the worker changes and the
    // main-thread notices, the page's broadcast, then the idle work.
    void Tick();

    WindowSurface& GetSurface() { return m_surface; }
    int32_t GetMeterGroup() const { return m_meterGroup; }

protected:
    void OnIdle(wxIdleEvent& event);
    void OnMouseEvent(wxMouseEvent& event);
    void OnMouseOver(wxMouseEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void PromoteMeters(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnActivate(wxActivateEvent& event);

private:
    // The drag poll, then a paint of the page when it needs one, then the changed pixels to the screen.
    void IdleWork();
    void MoveMetersToFront();
    // A resting window's pixels: dropped while hidden, painted anew when shown.
    void WakeSurface(bool awake);
    // The desktop window, made with the arguments the window was constructed with (once).
    void CreateFrame();
    // Hover tracking at the pointer; outside the client area the pointer is over no control.
    void HoverAtPointer();
    void SetTip(const wxString& text);
    // Removes this window's hover callbacks from the page's views.
    void ReleaseViews(ControlPage* page);

    struct Creation {
        wxWindow* parent;
        wxWindowID id;
        wxString title;
        long style;
        wxPoint position;
        wxSize size;
    };
    Creation m_creation;
    bool m_created = false;
    wxSize m_clientSize = wxSize(-1, -1);  // the page's size, for a window made later
    bool m_wantsTip = false;               // a page was attached: the window gets an (empty) tooltip

    ControlPage* m_page = nullptr;
    WindowSurface m_surface;
    std::unique_ptr<PixelDrawContext> m_drawContext;
    MeterGroups* m_meterList;
    int32_t m_meterGroup;
    // Depth of running page work: a nested event loop (a modal dialog opened by a control, a clipboard
    // read) must not tick or poll the page in the middle of it.
    int32_t m_busy = 0;
    static bool s_restWhileHidden;
    static int32_t s_idleDepth;  // skinned windows whose idle turn is running

    wxDECLARE_EVENT_TABLE();
};
