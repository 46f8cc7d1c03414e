#include "platform/wx/WxInputSource.h"

#include <wx/event.h>
#include <wx/utils.h>
#include <wx/window.h>

#ifdef __WXGTK3__
#include <gdk/gdk.h>
#endif

WxInputSource::WxInputSource(wxWindow* window) : m_window(window) {}

void WxInputSource::Take(const wxMouseEvent& event)
{
    bool buttons[] = {event.LeftIsDown(), event.MiddleIsDown(), event.RightIsDown(), event.Aux1IsDown(),
                      event.Aux2IsDown()};
    const int button = event.GetButton();
    if (button >= wxMOUSE_BTN_LEFT && button <= wxMOUSE_BTN_AUX2)
        buttons[button - wxMOUSE_BTN_LEFT] = event.ButtonDown() || event.ButtonDClick();
    m_state.x = event.GetX();
    m_state.y = event.GetY();
    m_state.mouseDown = false;
    for (bool down : buttons)
        m_state.mouseDown = m_state.mouseDown || down;
    m_state.shift = event.ShiftDown();
    m_state.alt = event.AltDown();
    m_state.control = event.RawControlDown();
    m_known = true;
}

const WxInputSource::State& WxInputSource::Current()
{
    if (!m_known) {
        m_state = Snapshot();
        m_known = true;
    }
    return m_state;
}

WxInputSource::State WxInputSource::Snapshot() const
{
    State s;
#ifdef __WXGTK3__
    // One query of the pointer relative to the client area gives the position, the buttons and the
    // modifiers together.
    GdkWindow* client = m_window ? m_window->GTKGetDrawingWindow() : nullptr;
    GdkSeat* seat = client ? gdk_display_get_default_seat(gdk_window_get_display(client)) : nullptr;
    if (GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr) {
        gint x = 0, y = 0;
        GdkModifierType mask = GdkModifierType(0);
        gdk_window_get_device_position(client, pointer, &x, &y, &mask);
        s.x = x;
        s.y = y;
        s.mouseDown = (mask & (GDK_BUTTON1_MASK | GDK_BUTTON2_MASK | GDK_BUTTON3_MASK | GDK_BUTTON4_MASK |
                               GDK_BUTTON5_MASK)) != 0;
        s.shift = (mask & GDK_SHIFT_MASK) != 0;
        s.alt = (mask & GDK_MOD1_MASK) != 0;
        s.control = (mask & GDK_CONTROL_MASK) != 0;
        return s;
    }
#endif
    const wxMouseState state = wxGetMouseState();
    wxPoint point = state.GetPosition();
    if (m_window)
        point = m_window->ScreenToClient(point);
    s.x = point.x;
    s.y = point.y;
    s.mouseDown = state.LeftIsDown() || state.MiddleIsDown() || state.RightIsDown() || state.Aux1IsDown() ||
                  state.Aux2IsDown();
    s.shift = state.ShiftDown();
    s.alt = state.AltDown();
    s.control = state.RawControlDown();
    return s;
}

bool WxInputSource::IsOptionDown()
{
    return Current().alt;
}

bool WxInputSource::IsShiftDown()
{
    return Current().shift;
}

bool WxInputSource::IsCommandDown()
{
    return Current().control;
}

bool WxInputSource::IsMouseDown()
{
    return Current().mouseDown;
}

void WxInputSource::GetMousePosition(int32_t& x, int32_t& y)
{
    const State& s = Current();
    x = s.x;
    y = s.y;
}
