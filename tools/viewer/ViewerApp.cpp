#include "tools/viewer/ViewerApp.h"

#include <cstdio>

#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/log.h>

#include "PAL/ParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ResourceLocator.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/wx/ClientPixels.h"
#include "PAL/wx/SkinWindow.h"
#include "platform/WxAssert.h"
#include "tools/viewer/GenericParameters.h"
#include "tools/viewer/LiveWindows.h"

namespace {

constexpr int kPollMilliseconds = 20;
constexpr long kScreenshotTimeoutMilliseconds = 10000;

void PrintUsage()
{
    fprintf(stderr, "usage: viewer TABLE [--screenshot FILE.png] [--archive FILE.res] [--generic]\n"
                    "       viewer --list\n");
}

const LayoutTable* FindTable(const wxString& name)
{
    for (int32_t i = 0; i < kLayoutWindowCount; ++i) {
        const LayoutTable& table = GetLayoutTable(LayoutWindow(i));
        if (name.CmpNoCase(table.name) == 0)
            return &table;
    }
    return nullptr;
}

}  // namespace

ViewerApp::ViewerApp() = default;

ViewerApp::~ViewerApp() = default;

bool ViewerApp::OnInit()
{
    FailOnWxAssert();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (!ParseArguments() || !LoadArchive())
        return false;
    OpenWindow();
    return true;
}

bool ViewerApp::ParseArguments()
{
    wxString tableName;
    for (int i = 1; i < argc; ++i) {
        const wxString arg = argv[i];
        if ((arg == "--screenshot" || arg == "--archive") && i + 1 < argc) {
            (arg == "--screenshot" ? m_screenshot : m_archive) = argv[++i];
        } else if (arg == "--generic") {
            m_generic = true;
        } else if (!arg.StartsWith("-") && tableName.empty()) {
            tableName = arg;
        } else {
            PrintUsage();
            return false;
        }
    }
    m_table = FindTable(tableName);
    if (!m_table) {
        if (!tableName.empty())
            fprintf(stderr, "viewer: no layout table named \"%s\" (viewer --list names them)\n",
                    (const char*)tableName.utf8_str());
        PrintUsage();
        return false;
    }
    return true;
}

bool ViewerApp::LoadArchive()
{
    const size_t usable = m_archive.empty() ? OpenProjectResources()
                                            : ResourceArchive::Global().Load(m_archive.utf8_str());
    if (usable == 0) {
        fprintf(stderr, "viewer: no usable resource archive (build the project, or pass --archive)\n");
        return false;
    }
    for (const std::string& name : ResourceArchive::Global().Missing({m_table->backdrop}))
        fprintf(stderr, "viewer: the archive has no \"%s\"\n", name.c_str());
    return true;
}

void ViewerApp::OpenWindow()
{
    if (!m_generic) {
        m_live = std::make_unique<LiveWindows>();
        m_window = m_live->Open(*m_table, wxPoint(20, 20));
    }
    if (!m_window)
        OpenGenericWindow();
    // The close box only hides a skinned window; here it also ends the program.
    m_window->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        event.Skip();
        Finish(m_result);
    });
    m_window->Show(true);
    if (!m_screenshot.empty()) {
        m_poll.Bind(wxEVT_TIMER, &ViewerApp::OnPoll, this);
        m_poll.Start(kPollMilliseconds);
        m_waiting.Start();
    }
}

void ViewerApp::OpenGenericWindow()
{
    m_descriptors = GenericParameters(*m_table);
    m_set = std::make_unique<ParameterSet>(m_descriptors.data(), int32_t(m_descriptors.size()));
    m_page = std::make_unique<ControlPage>(m_set.get(), m_table->records, m_table->count);
    m_window = new SkinWindow(nullptr, wxID_ANY, wxString(" ") + m_table->name, wxDEFAULT_FRAME_STYLE, nullptr, 0,
                              wxPoint(20, 20));
    m_window->SetView(m_page.get());
}

void ViewerApp::OnPoll(wxTimerEvent&)
{
    const int64_t area = int64_t(m_table->width) * m_table->height;
    if (m_window->GetSurface().GetFigures().blittedPixels >= area && (!m_live || m_live->Settled())) {
        m_poll.Stop();
        Finish(SaveScreenshot() ? 0 : 1);
    } else if (m_waiting.Time() > kScreenshotTimeoutMilliseconds) {
        m_poll.Stop();
        fprintf(stderr, "viewer: the window was not painted within %ld ms\n", kScreenshotTimeoutMilliseconds);
        Finish(1);
    }
}

bool ViewerApp::SaveScreenshot()
{
    const wxImage shot = ReadClientPixels(m_window);
    if (!shot.IsOk()) {
        fprintf(stderr, "viewer: could not read the window back\n");
        return false;
    }
    const wxPoint differs = FirstDifference(shot, *m_window->GetSurface().GetBackBuffer());
    if (differs != wxPoint(-1, -1))
        fprintf(stderr, "viewer: the screen differs from the window's buffer at (%d, %d)\n", differs.x, differs.y);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    if (!shot.SaveFile(m_screenshot, wxBITMAP_TYPE_PNG)) {
        fprintf(stderr, "viewer: could not write %s\n", (const char*)m_screenshot.utf8_str());
        return false;
    }
    printf("viewer: saved %s (%d x %d)\n", (const char*)m_screenshot.utf8_str(), shot.GetWidth(), shot.GetHeight());
    return differs == wxPoint(-1, -1);
}

void ViewerApp::PrintTables()
{
    for (int32_t w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& table = GetLayoutTable(LayoutWindow(w));
        printf("%-15s %3d records  %3d x %3d  %s\n", table.name, int(table.count), int(table.width),
               int(table.height), table.backdrop);
    }
}

void ViewerApp::Finish(int result)
{
    m_result = result;
    ExitMainLoop();
}

int ViewerApp::OnRun()
{
    wxApp::OnRun();
    return m_result;
}

int ViewerApp::OnExit()
{
    if (m_live)
        m_live->Release();
    if (m_window) {
        m_window->SetView(nullptr);
        m_window->Destroy();
        m_window = nullptr;
    }
    m_page.reset();
    m_set.reset();
    m_live.reset();
    return wxApp::OnExit();
}
