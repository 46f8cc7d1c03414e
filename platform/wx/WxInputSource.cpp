#include "platform/wx/WxInputSource.h"

#include <wx/utils.h>
#include <wx/window.h>

WxInputSource::WxInputSource(wxWindow* window) : m_window(window) {}

bool WxInputSource::IsOptionDown()
{
    return wxGetMouseState().AltDown();
}

bool WxInputSource::IsShiftDown()
{
    return wxGetMouseState().ShiftDown();
}

bool WxInputSource::IsCommandDown()
{
    return wxGetMouseState().RawControlDown();
}

bool WxInputSource::IsMouseDown()
{
    const wxMouseState state = wxGetMouseState();
    return state.LeftIsDown() || state.MiddleIsDown() || state.RightIsDown() || state.Aux1IsDown() ||
           state.Aux2IsDown();
}

void WxInputSource::GetMousePosition(int32_t& x, int32_t& y)
{
    wxPoint point = wxGetMouseState().GetPosition();
    if (m_window)
        point = m_window->ScreenToClient(point);
    x = point.x;
    y = point.y;
}
