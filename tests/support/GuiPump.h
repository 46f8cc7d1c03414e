#pragma once
// Runs the GUI event loop from a test: pending desktop events, timers and one idle pass per round,
// until a condition holds or a time limit passes. Every wait of a GUI test goes through these.

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

// True as soon as done() holds; false when it still does not after timeoutMs.
template <class Done>
bool PumpUntil(Done done, long timeoutMs = 3000)
{
    wxStopWatch watch;
    for (;;) {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
            loop->YieldFor(wxEVT_CATEGORY_ALL);
        if (wxTheApp)
            wxTheApp->ProcessIdle();
        if (done())
            return true;
        if (watch.Time() > timeoutMs)
            return false;
        wxMilliSleep(2);
    }
}

inline void PumpFor(long milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}
