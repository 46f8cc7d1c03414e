#include "CtrlPanel/VelbrinControlApp.h"

#include <cstdio>
#include <filesystem>

#include <wx/cmdline.h>
#include <wx/debug.h>
#include <wx/event.h>
#include <wx/log.h>

#include "CtrlPanel/AppMessages.h"
#include "CtrlPanel/MixFiles.h"
#include "CtrlPanel/VelbrinControlFrame.h"
#include "CtrlPanel/VelbrinHAL.h"
#include "PAL/ConnectionLostPage.h"
#include "PAL/ResourceLocator.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/LogindPowerNotifier.h"
#include "platform/OpenRequestChannel.h"
#include "platform/TerminationSignals.h"
#include "platform/sim/SimBackends.h"
#include "platform/wx/DesktopLaunch.h"
#include "platform/wx/DialogSinks.h"
#include "platform/wx/LaunchStartupId.h"
#include "platform/wx/SingleInstance.h"

namespace {

constexpr const char* kCaption = "VelbrinControl";
// How long a second launch waits for the running copy to take its file.
constexpr int kHandOverWaitMs = 5000;
// How often a request to quit looks again whether the dialogs it ended have unwound.
constexpr int kQuitRetryMs = 50;

// A failed wxWidgets check is reported and the program goes on: a modal assertion box would stop a
// run with no one to answer it.
void ReportWxAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                    const wxString& message)
{
    fprintf(stderr, "VelbrinControl: wx assertion failed in %s (%s:%d): %s %s\n", (const char*)function.utf8_str(),
            (const char*)file.utf8_str(), line, (const char*)condition.utf8_str(), (const char*)message.utf8_str());
}

VelbrinHAL* Hal()
{
    return VelbrinHAL::HasInstance() ? VelbrinHAL::GetInstance() : nullptr;
}

}  // namespace

VelbrinControlApp::VelbrinControlApp() = default;

VelbrinControlApp::~VelbrinControlApp()
{
    SetUserNotifier(nullptr);
}

bool VelbrinControlApp::OnInit()
{
    wxLog::EnableLogging(false);
    wxSetAssertHandler(ReportWxAssert);
    SetVendorName("Brennimar");
    SetAppName("VelbrinControl");
    // Of the twenty-odd windows usually one or two are shown: the hidden ones cost nothing.
    SkinWindow::SetRestWhileHidden(true);
    // No window of the program asks for update-UI events: idle time does not offer them to every menu.
    wxUpdateUIEvent::SetMode(wxUPDATE_UI_PROCESS_SPECIFIED);
    // Boxes and file dialogs on the desktop, or recorded and answered from a script in end-to-end runs
    // (VELBRIN_TEST_DIALOGS).
    m_sinks = std::make_unique<DialogSinks>([this] { return ShownFrame(); });
    m_messages = std::make_unique<AppMessages>(m_sinks->Messages());
    SetUserNotifier(m_messages.get());
    m_mixFiles = std::make_unique<MixFiles>(*m_messages, m_sinks->Files());
    if (!wxApp::OnInit())
        return false;
    m_instance = std::make_unique<SingleInstance>("VelbrinControl");
    if (m_instance->IsAnotherRunning()) {
        m_mixFiles->DisableWriteOnExit();
        if (HandToRunningCopy())
            return m_fileHandedOver = true;
        m_messages->ShowMessage(kAnotherCopyText, "Error", MessageStyle::Ok | MessageStyle::IconError);
        return false;
    }
    m_openRequests = std::make_unique<OpenRequestChannel>(
        OpenRequestChannel::SocketPath("VelbrinControl"), [this](const OpenRequestChannel::Request& request) {
            if (m_handedFiles.size() >= kMaxHandedFiles)
                return false;
            m_handedFiles.push_back(request);
            wxWakeUpIdle();
            return true;
        });
    if (!SimBackends::InstallScenario()) {
        fprintf(stderr, "VelbrinControl: VELBRIN_SIM_SCENARIO names no scenario (present, absent, old-firmware)\n");
        return false;
    }
    m_signals = std::make_unique<TerminationSignals>([this] { RequestExit(); });
    m_power = LogindPowerNotifier::OnSystemBus();
    m_power->SetSleepHandler([this] { CloseUnitForSleep(); });
    StartUp();
    return true;
}

void VelbrinControlApp::StartUp()
{
    std::string resourceReport;
    OpenProjectResources(&resourceReport);
    // Once, over the main window, when the event loop runs.
    if (!resourceReport.empty())
        CallAfter([this, resourceReport] {
            if (!m_exitStarted)
                m_messages->ShowMessage(resourceReport, kCaption, MessageStyle::Ok | MessageStyle::IconWarning);
        });
    m_core = std::make_unique<AppCore>(*this);
    m_core->Build();
    std::vector<PageController*> blocks = {m_core->GetMainController()};
    for (PageController* effect : m_core->GetEffects())
        blocks.push_back(effect);
    m_mixFiles->SetControllers(blocks);

    auto* floating = new VelbrinControlFrame(*m_core, VelbrinControlFrame::kFloatingStyle, nullptr, *m_messages);
    auto* standard = new VelbrinControlFrame(*m_core, VelbrinControlFrame::kStandardStyle, floating, *m_messages);
    m_floating = floating;
    m_standard = standard;

    const bool loaded = m_mixFiles->LoadAtStart();

    // Only the shown frame drives the shared page: the floating frame lets go of it first.
    floating->DetachPage();
    standard->Show(true);
    floating->Show(false);
    standard->AttachPage();
    AfterMixLoad(loaded);

    m_core->BuildConnectionLostPage();
    auto* lost = new SkinWindow(standard, wxID_ANY, kConnectionLostTitle,
                                wxCAPTION | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW, nullptr, 0);
    lost->SetView(m_core->GetConnectionLostPage());
    lost->Show(false);
    standard->FloatAbove(lost);
    m_connectionLost = lost;

    m_core->ListenToDevice();
    m_initialised = true;
    // The unit's first open waits for the window's first paint (kOpenLateMs at the latest): the open
    // and the unit's checks take up to seconds, and the window does not wait for them. Nothing else a
    // user sees depends on it: the connection-lost window and the firmware hand-off follow the open
    // whenever it comes, and idle processing leaves the device side alone until then.
    standard->Bind(wxEVT_PAINT, &VelbrinControlApp::OnFirstPaint, this);
    m_openTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &VelbrinControlApp::OnOpenTimer, this, m_openTimer.GetId());
    m_openTimer.StartOnce(kOpenLateMs);
}

void VelbrinControlApp::OnFirstPaint(wxPaintEvent& event)
{
    event.Skip();  // the frame paints as usual; the open follows once that is done
    if (auto* frame = dynamic_cast<wxWindow*>(event.GetEventObject()))
        frame->Unbind(wxEVT_PAINT, &VelbrinControlApp::OnFirstPaint, this);
    CallAfter([this] { OpenAtStart(); });
}

void VelbrinControlApp::OnOpenTimer(wxTimerEvent&)
{
    OpenAtStart();
}

void VelbrinControlApp::OpenAtStart()
{
    if (m_openedAtStart || m_exitStarted || !m_core)
        return;
    m_openedAtStart = true;
    m_openTimer.Stop();
    ShowConnectionLost(!Hal()->EnsureOpen());
}

void VelbrinControlApp::AfterMixLoad(bool loaded)
{
    VelbrinControlFrame::FollowMix(m_floating.get(), m_standard.get(), m_core->GetMainController(), loaded);
}

int VelbrinControlApp::OnRun()
{
    return m_fileHandedOver ? 0 : wxApp::OnRun();
}

bool VelbrinControlApp::HandToRunningCopy()
{
    if (m_commandLinePath.empty())
        return false;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(m_commandLinePath, error);
    return !error && OpenRequestChannel::Send(OpenRequestChannel::SocketPath("VelbrinControl"), path.string(),
                                              m_launchStartupId,
                                              kHandOverWaitMs) == OpenRequestChannel::SendResult::Taken;
}

void VelbrinControlApp::OpenHandedFiles()
{
    while (!m_handedFiles.empty() && m_initialised && !m_exitStarted && !m_quitRequested && !IsModalRunning()) {
        const OpenRequestChannel::Request request = m_handedFiles.front();
        m_handedFiles.erase(m_handedFiles.begin());
        OpenMixFile(request.path);
        RaiseForLaunch(ShownFrame(), request.startupId);
    }
}

int VelbrinControlApp::OnExit()
{
    if (m_exitStarted)
        return 0;
    m_exitStarted = true;
    m_openTimer.Stop();
    m_quitTimer.Stop();
    m_openRequests.reset();
    m_power.reset();
    if (!m_initialised)
        return 0;
    m_core->StartExit();
    DestroyFrames();
    m_mixFiles->SaveAtExit();
    m_core->TearDown();
    SetUserNotifier(nullptr);
    return wxApp::OnExit();
}

void VelbrinControlApp::DestroyFrames()
{
    // The standard frame takes the floating frame, the panel windows and the connection-lost window
    // with it. A frame already waiting for deletion goes now too (it leaves the waiting list): later
    // would be after what it shows.
    if (VelbrinControlFrame* standard = m_standard.get())
        delete standard;
    if (VelbrinControlFrame* floating = m_floating.get())
        delete floating;
}

void VelbrinControlApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    parser.AddParam("filename", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool VelbrinControlApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (parser.GetParamCount() == 0)
        return true;
    m_commandLinePath = std::string(parser.GetParam(0).utf8_str());
    m_mixFiles->SetCommandLinePath(m_commandLinePath);
    return true;
}

bool VelbrinControlApp::ProcessIdle()
{
    if (m_exitStarted)
        return false;
    if (m_core && m_openedAtStart)
        m_core->ProcessIdle();
    OpenHandedFiles();
    wxApp::ProcessIdle();
    return false;
}

int VelbrinControlApp::FilterEvent(wxEvent& event)
{
    // Every window of the toolkit answers this click with a modal box about itself, outside the message
    // sink; nothing of the program uses it.
    if (event.GetEventType() == wxEVT_MIDDLE_DOWN) {
        const auto& mouse = static_cast<const wxMouseEvent&>(event);
        if (mouse.ControlDown() && mouse.AltDown())
            return Event_Processed;
    }
    return wxApp::FilterEvent(event);
}

void VelbrinControlApp::OpenMixFile(const std::string& path)
{
    if (!m_initialised || m_exitStarted)
        return;
    VelbrinControlFrame* floating = m_floating.get();
    // The load's error box runs a loop of its own: the frame is looked at again after it.
    wxWeakRef<VelbrinControlFrame> target = floating && floating->IsShown() ? floating : m_standard.get();
    if (target)
        target->DetachPage();
    ++m_dialogs;
    const bool loaded = m_mixFiles->LoadFile(path);
    --m_dialogs;
    if (loaded)
        AfterMixLoad(true);
    if (target)
        target->AttachPage();
}

void VelbrinControlApp::RunMixDialog(bool save)
{
    VelbrinControlFrame* floating = m_floating.get();
    const bool floatingShown = floating && floating->IsShown();
    if (floating)
        floating->DetachPage();
    if (VelbrinControlFrame* standard = m_standard.get())
        standard->DetachPage();
    ++m_dialogs;
    bool loaded = false;
    if (save)
        m_mixFiles->RunSaveDialog();
    else
        loaded = m_mixFiles->RunLoadDialog();
    --m_dialogs;
    if (loaded)
        AfterMixLoad(true);
    // The frames may have gone while the dialog ran.
    if (VelbrinControlFrame* shown = floatingShown ? m_floating.get() : m_standard.get())
        shown->AttachPage();
}

void VelbrinControlApp::CloseUnitForSleep()
{
    if (VelbrinHAL* hal = Hal())
        hal->Close();
}

void VelbrinControlApp::RequestExit()
{
    if (m_quitRequested)
        return;
    m_quitRequested = true;
    m_quitTimer.SetOwner(this);
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CloseWhenNoDialogRuns(); }, m_quitTimer.GetId());
    CloseWhenNoDialogRuns();
}

void VelbrinControlApp::CloseWhenNoDialogRuns()
{
    if (m_exitStarted)
        return;
    // The request may come from inside a dialog's loop, whose dialog the frame parents: the frame goes
    // only once that loop has returned.
    if (IsModalRunning()) {
        m_sinks->EndShown();
        m_quitTimer.StartOnce(kQuitRetryMs);
        return;
    }
    if (VelbrinControlFrame* frame = m_standard ? m_standard.get() : m_floating.get())
        frame->Close(true);
    else
        ExitMainLoop();
}

void VelbrinControlApp::SetFramesSampleRate(float rate)
{
    if (VelbrinControlFrame* floating = m_floating.get())
        floating->SetSampleRate(rate);
    if (VelbrinControlFrame* standard = m_standard.get())
        standard->SetSampleRate(rate);
}

void VelbrinControlApp::ShowConnectionLost(bool show)
{
    SkinWindow* lost = m_connectionLost.get();
    if (!lost || m_handedOff || lost->IsBeingDeleted())
        return;
    if (lost->IsShown() != show)
        lost->Show(show);
}

void VelbrinControlApp::HandOffToUpdater()
{
    if (m_handedOff)
        return;
    if (SkinWindow* lost = m_connectionLost.get())
        lost->Show(false);
    m_handedOff = true;
    m_messages->ShowMessage(kFirmwareText, kCaption, MessageStyle::Ok | MessageStyle::Centre);
    if (!LaunchFirmwareUpdater())
        m_messages->ShowMessage(std::string("The firmware updater could not be started: ") + ProgramFolder() + "/" +
                                    kFirmwareUpdaterProgram + " is missing or cannot be run.",
                                kCaption, MessageStyle::Ok | MessageStyle::IconError | MessageStyle::Centre);
    // The floating frame closes; it takes the standard frame and every other window with it.
    if (VelbrinControlFrame* frame = m_floating ? m_floating.get() : m_standard.get())
        frame->Close(false);
}

bool VelbrinControlApp::LaunchFirmwareUpdater()
{
    return StartProgram(ProgramFolder() + "/" + kFirmwareUpdaterProgram);
}

bool VelbrinControlApp::IsModalRunning()
{
    return m_dialogs > 0 || (m_messages && m_messages->IsShowing()) || (m_sinks && m_sinks->IsShowing());
}

wxWindow* VelbrinControlApp::ShownFrame() const
{
    VelbrinControlFrame* floating = m_floating.get();
    if (floating && floating->IsShown())
        return floating;
    VelbrinControlFrame* standard = m_standard.get();
    return standard && standard->IsShown() ? standard : nullptr;
}
