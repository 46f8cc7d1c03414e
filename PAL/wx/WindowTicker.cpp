#include "PAL/wx/WindowTicker.h"

#include <algorithm>

#include "PAL/wx/SkinWindow.h"

WindowTicker* WindowTicker::s_instance = nullptr;

WindowTicker::WindowTicker() : m_timer(this)
{
    Bind(wxEVT_TIMER, &WindowTicker::OnTimer, this);
}

WindowTicker::~WindowTicker()
{
    m_timer.Stop();
}

void WindowTicker::Add(SkinWindow* window)
{
    if (!window || Has(window))
        return;
    if (!s_instance)
        s_instance = new WindowTicker();
    s_instance->m_windows.push_back(window);
    if (!s_instance->m_timer.IsRunning())
        s_instance->m_timer.Start(kTickMilliseconds, wxTIMER_CONTINUOUS);
}

void WindowTicker::Remove(SkinWindow* window)
{
    if (!s_instance)
        return;
    auto& windows = s_instance->m_windows;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    if (windows.empty()) {
        // The last window is gone: so is the clock (it must not outlive the desktop toolkit).
        delete s_instance;
        s_instance = nullptr;
    }
}

bool WindowTicker::Has(const SkinWindow* window)
{
    return s_instance &&
           std::find(s_instance->m_windows.begin(), s_instance->m_windows.end(), window) != s_instance->m_windows.end();
}

void WindowTicker::OnTimer(wxTimerEvent&)
{
    TickAll();
}

void WindowTicker::TickAll()
{
    if (!s_instance)
        return;
    // A tick may show, hide or destroy windows (and so change the list, or end the clock): walk a
    // copy and skip whoever left meanwhile.
    const std::vector<SkinWindow*> windows = s_instance->m_windows;
    for (SkinWindow* window : windows)
        if (Has(window))
            window->Tick();
}
