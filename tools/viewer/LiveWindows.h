#pragma once
// The viewer's windows with their real behaviour, on the simulated unit through the HAL: the main
// pages over a live main parameter set that the HAL's mix engine drives (meters moving), the
// custom-mix windows of output pair 1&2 forwarding into that set (each forwarded change is printed),
// the sample-rate window changing the unit's rate, the EQ of input 1 writing its block, and the
// connection-lost window. Tables whose panels are not built yet have no live window.

#include <cstdint>
#include <memory>

#include <wx/gdicmn.h>

#include "PAL/LayoutTables.h"

class ControlPage;
class MainParameterSet;
class MeterPage;
class PageController;
class ParameterObserver;
class ParameterSet;
class SkinWindow;
class DeviceListener;

class LiveWindows {
public:
    LiveWindows();
    ~LiveWindows();

    // Starts the unit and the HAL when the window needs them and makes the window (hidden; the caller
    // shows and destroys it, and calls Release first). Null when the table has no live window or the
    // unit could not be opened.
    SkinWindow* Open(const LayoutTable& table, const wxPoint& place);
    // Until then a screenshot would miss the live part: the meters of a metered page have risen.
    bool Settled() const;
    // Detaches the window from pages this object owns; call before the window goes.
    void Release();

private:
    bool StartDevice();

    std::unique_ptr<MainParameterSet> m_main;
    std::unique_ptr<PageController> m_mainController;
    std::unique_ptr<ParameterSet> m_empty;
    std::unique_ptr<ControlPage> m_page;
    MeterPage* m_meterPage = nullptr;  // m_page, when it is a metered main page
    std::unique_ptr<ParameterObserver> m_printer;
    std::unique_ptr<DeviceListener> m_rateReporter;
    SkinWindow* m_window = nullptr;
    bool m_halStarted = false;
};
