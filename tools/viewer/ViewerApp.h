#pragma once
// The window viewer: shows one layout table in a skinned window with the built artwork, and optionally
// saves what the window shows as a PNG and exits. Windows whose behaviour is built run live on the
// simulated unit (LiveWindows); the others, or all with --generic, show over generic parameters.
//
//   viewer TABLE [--screenshot FILE.png] [--archive FILE.res] [--generic]
//   viewer --list

#include <memory>
#include <vector>

#include <wx/app.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>

#include "PAL/LayoutTables.h"
#include "PAL/ParamDescriptor.h"

class ControlPage;
class LiveWindows;
class ParameterSet;
class SkinWindow;

class ViewerApp : public wxApp {
public:
    ViewerApp();
    ~ViewerApp() override;
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    // The tables, one a line: name, record count, size, backdrop.
    static void PrintTables();

private:
    bool ParseArguments();
    bool LoadArchive();
    void OpenWindow();
    void OpenGenericWindow();
    // Polls until the window has been painted whole, then saves it and ends the program.
    void OnPoll(wxTimerEvent& event);
    bool SaveScreenshot();
    void Finish(int result);

    const LayoutTable* m_table = nullptr;
    wxString m_screenshot;
    wxString m_archive;
    std::vector<ParamDescriptor> m_descriptors;
    std::unique_ptr<ParameterSet> m_set;
    std::unique_ptr<ControlPage> m_page;
    std::unique_ptr<LiveWindows> m_live;
    bool m_generic = false;
    SkinWindow* m_window = nullptr;
    wxTimer m_poll;
    wxStopWatch m_waiting;
    int m_result = 0;
};
