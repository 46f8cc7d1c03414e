#pragma once
// The program's application object: the start-up and shut-down of every subsystem in their fixed
// orders, the command line (one optional mix file), the two main frames and the connection-lost
// window, idle processing (AppCore), the hand-off to the firmware updater, and what follows a mix load.
//
// Seams for the platform's stand-ins (all GUI thread): CloseUnitForSleep before the system sleeps,
// RequestExit to end through the normal exit path (the mix is written), OpenMixFile for an open request.

#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "CtrlPanel/AppCore.h"
#include "platform/OpenRequestChannel.h"

class AppMessages;
class DialogSinks;
class MixFiles;
class PowerNotifier;
class SingleInstance;
class SkinWindow;
class TerminationSignals;
class VelbrinControlFrame;
class wxCmdLineParser;
class wxWindow;

class VelbrinControlApp : public wxApp, public AppCore::Host {
public:
    static constexpr const char* kAnotherCopyText = "Another copy of VelbrinControl is already running.";
    static constexpr const char* kFirmwareText =
        "The firmware installed on your Velbrin is incompatible with this version of VelbrinControl.\n\n";
    static constexpr const char* kConnectionLostTitle = "FireWire Connection Lost";
    // The firmware updater: a program of this name beside the executable.
    static constexpr const char* kFirmwareUpdaterProgram = "VelbrinFirmwareUpdater";
    // The latest the unit is opened after start-up when the shown frame has not painted by then.
    static constexpr int kOpenLateMs = 1000;
    // The most files other launches may hand over before they are opened; a launch beyond is refused.
    static constexpr size_t kMaxHandedFiles = 32;

    VelbrinControlApp();
    ~VelbrinControlApp() override;

    // The launcher's startup id of this launch (TakeLaunchStartupId), handed over with the file when
    // another copy runs. Before OnInit.
    void SetLaunchStartupId(const std::string& id) { m_launchStartupId = id; }

    bool OnInit() override;
    // Ends at once with 0 when the file named on the command line went to the copy already running.
    int OnRun() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    // Idle processing; always false.
    bool ProcessIdle() override;
    // Keeps the toolkit's own debugging box (Control+Alt+middle click) from opening.
    int FilterEvent(wxEvent& event) override;

    // Loads the mix file at path, with its errors shown, into the shown frame's state.
    void OpenMixFile(const std::string& path);
    // Closes the unit; the idle loop opens it again when it is back.
    void CloseUnitForSleep();
    // Closes the frames, which ends the program through its normal exit path. A running box or file
    // dialog is ended first (as Cancel); the frames close once its loop has unwound.
    void RequestExit();

    // AppCore::Host.
    void SetFramesSampleRate(float rate) override;
    void ShowConnectionLost(bool show) override;
    void HandOffToUpdater() override;
    void RunMixDialog(bool save) override;
    bool IsModalRunning() override;

    // The frame that is shown: the floating one when it is, else the standard one; null when gone.
    wxWindow* ShownFrame() const;

private:
    // Start-up from the resource archive on, once the command line is read and no other copy runs.
    void StartUp();
    // The last step of start-up, the unit's first open, waits for the shown frame's first paint (or, at
    // the latest, kOpenLateMs): the open and the unit's checks take a while. Until then idle processing
    // leaves the device side alone.
    void OnFirstPaint(wxPaintEvent& event);
    void OnOpenTimer(wxTimerEvent& event);
    void OpenAtStart();
    // What follows every load: the custom-mix windows take the loaded values, the unit its input mode,
    // and the frames the effect order, the stereo titles and the metering switch.
    void AfterMixLoad(bool started);
    // The frames, if they still exist, go before the objects they show.
    void DestroyFrames();
    // Starts the firmware updater; false when it could not be started.
    bool LaunchFirmwareUpdater();
    // A second copy hands the file named on its command line, and its startup id, to the running copy;
    // true when it took them.
    bool HandToRunningCopy();
    // Opens the files other launches handed over, once started and while no dialog runs; the shown frame
    // comes to the front for each launch.
    void OpenHandedFiles();
    // The rest of RequestExit: ends the running dialogs and tries again shortly while any runs.
    void CloseWhenNoDialogRuns();

    std::unique_ptr<DialogSinks> m_sinks;
    std::unique_ptr<AppMessages> m_messages;
    std::unique_ptr<MixFiles> m_mixFiles;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<OpenRequestChannel> m_openRequests;  // files of other launches of this user
    std::vector<OpenRequestChannel::Request> m_handedFiles;  // taken, not yet opened
    std::unique_ptr<TerminationSignals> m_signals;  // SIGTERM, SIGINT -> RequestExit
    std::unique_ptr<PowerNotifier> m_power;         // system sleep -> CloseUnitForSleep
    std::unique_ptr<AppCore> m_core;
    wxWeakRef<VelbrinControlFrame> m_floating;
    wxWeakRef<VelbrinControlFrame> m_standard;
    wxWeakRef<SkinWindow> m_connectionLost;
    std::string m_commandLinePath;
    std::string m_launchStartupId;
    int m_dialogs = 0;  // mix dialogs running
    wxTimer m_openTimer;
    wxTimer m_quitTimer;
    bool m_quitRequested = false;
    bool m_openedAtStart = false;
    bool m_initialised = false;
    bool m_exitStarted = false;
    bool m_handedOff = false;
    bool m_fileHandedOver = false;  // this launch gave its file to the running copy
};
