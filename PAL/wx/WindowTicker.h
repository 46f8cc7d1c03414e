#pragma once
// The one 100 ms clock of the skinned windows. Every desktop timer wakes the event loop on its own, so
// the windows share one: each tick runs SkinWindow::Tick of every window registered, in the order they
// registered. The clock runs only while a window is registered. GUI thread only.

#include <vector>

#include <wx/event.h>
#include <wx/timer.h>

class SkinWindow;

class WindowTicker : public wxEvtHandler {
public:
    static constexpr int kTickMilliseconds = 100;

    // Registering twice, or removing a window that is not registered, changes nothing.
    static void Add(SkinWindow* window);
    static void Remove(SkinWindow* window);
    static bool Has(const SkinWindow* window);
    // One tick of every registered window, now, as the clock runs it (benchmarks drive it directly).
    static void TickAll();

private:
    WindowTicker();
    ~WindowTicker() override;
    void OnTimer(wxTimerEvent& event);

    wxTimer m_timer;
    std::vector<SkinWindow*> m_windows;
    static WindowTicker* s_instance;
};
