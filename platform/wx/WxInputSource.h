#pragma once
// The pointer and modifiers of the desktop as one window sees them, without asking the desktop on every
// read (each question is a round trip to the display server): while the window handles a mouse event,
// the state that event carries (Take); between events, the state of the last one, until Expire says it
// may be stale, after which the first read takes one snapshot from the desktop and later reads share it.
// Alt is the Option key, Control the Command key; the pointer is in the window's client coordinates.
// GUI thread only.

#include <cstdint>

#include "platform/InputSource.h"

class wxMouseEvent;
class wxWindow;

class WxInputSource : public InputSource {
public:
    // window is not owned and must outlive the source.
    explicit WxInputSource(wxWindow* window);

    // The state the mouse event being handled carries: a button event's own button counts as held
    // after a press and as up after a release.
    void Take(const wxMouseEvent& event);
    // The state may have changed without an event reaching the window (a release elsewhere): the next
    // read takes a snapshot.
    void Expire() { m_known = false; }

    bool IsOptionDown() override;
    bool IsShiftDown() override;
    bool IsCommandDown() override;
    bool IsMouseDown() override;
    void GetMousePosition(int32_t& x, int32_t& y) override;

private:
    struct State {
        int32_t x = 0;
        int32_t y = 0;
        bool mouseDown = false;
        bool shift = false;
        bool alt = false;
        bool control = false;
    };
    const State& Current();
    State Snapshot() const;

    wxWindow* m_window;
    State m_state;
    bool m_known = false;
};
