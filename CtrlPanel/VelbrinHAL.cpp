#include "CtrlPanel/VelbrinHAL.h"

#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/FireWireSession.h"
#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/UserNotifier.h"
#include "CtrlPanel/device/avcThread.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "platform/Assert.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

#include <algorithm>

namespace {

VelbrinHAL* g_Instance = nullptr;
std::atomic<bool> g_firmwareUpdatePending{false};

constexpr int kDspModeLow = 2;   // below 176400 Hz
constexpr int kDspModeHigh = 3;  // 176400 Hz and above
constexpr int kHighRate = 176400;
constexpr uint32_t kBuildLastOld = 5495;
constexpr uint32_t kDateLastOld = 0x07D50B01;  // 2005-11-01
constexpr uint32_t kDspVersionLastOld = 4494;
constexpr int kBootPolls = 99;
constexpr int kDatePolls = 100;
constexpr int kReconnectTries = 100;
constexpr uint32_t kReconnectPauseMs = 200;
constexpr uint32_t kModeSwitchSettleMs = 6000;
constexpr uint32_t kRateReportWaitMs = 2000;

const char kBootFailureMessage[] =
    "Velbrin DSP has failed to boot.\n\nPlease unplug your Velbrin, wait a few seconds, then plug it back in.\n"
    "Wait for the green \"line\" LEDs to light, then press OK.";
const char kNoSyncMessage[] =
    "Velbrin could not sync to external SPDIF device sample rate, please check Velbrin control panel and "
    "external device settings for correct sample rate.";
const char kNoSpdifMessage[] =
    "No external SPDIF input detected, please check your Velbrin SPDIF In connections and cables before "
    "retrying.";

int ModeForRate(int hz) { return hz < kHighRate ? kDspModeLow : kDspModeHigh; }

// Pauses the polling thread for the scope, unless the caller is the polling thread itself. A HAL
// that closed meanwhile leaves the thread idle: the next open starts it.
class PauseBracket {
public:
    PauseBracket(avcThread* thread, bool onPollingThread, const std::atomic<bool>& open)
        : m_thread(onPollingThread ? nullptr : thread), m_open(open)
    {
        if (m_thread)
            m_thread->StopAVC();
    }
    ~PauseBracket()
    {
        if (m_thread && m_open)
            m_thread->StartAVC(0);
    }

private:
    avcThread* m_thread;
    const std::atomic<bool>& m_open;
};

}  // namespace

class VelbrinHAL::StateScope {
public:
    explicit StateScope(VelbrinHAL* hal) : m_hal(hal)
    {
        hal->m_stateLock.lock();
        ++hal->m_stateDepth;
    }
    // Takes over a lock (and depth) the caller has just taken.
    StateScope(VelbrinHAL* hal, std::adopt_lock_t) : m_hal(hal) {}
    ~StateScope()
    {
        for (;;) {
            {
                std::lock_guard<std::mutex> pending(m_hal->m_pendingLock);
                if (m_hal->m_stateDepth > 1 || !m_hal->m_closePending.exchange(false)) {
                    --m_hal->m_stateDepth;
                    m_hal->m_stateLock.unlock();
                    return;
                }
            }
            m_hal->CloseLocked();
        }
    }
    StateScope(const StateScope&) = delete;
    StateScope& operator=(const StateScope&) = delete;

private:
    VelbrinHAL* m_hal;
};

// --- singleton ---

bool VelbrinHAL::CreateInstance()
{
    if (!g_Instance)
        g_Instance = new VelbrinHAL;
    return true;
}

VelbrinHAL* VelbrinHAL::GetInstance()
{
    VELBRIN_ASSERT(g_Instance != NULL);
    return g_Instance;
}

bool VelbrinHAL::HasInstance() { return g_Instance != nullptr; }

void VelbrinHAL::DestroyInstance()
{
    if (!g_Instance)
        return;
    // The polling thread may use the instance until it has ended.
    if (g_Instance->Shutdown())
        delete g_Instance;
    g_Instance = nullptr;
}

bool VelbrinHAL::IsFirmwareUpdatePending() { return g_firmwareUpdatePending; }

void VelbrinHAL::ClearFirmwareUpdatePendingForTests() { g_firmwareUpdatePending = false; }

VelbrinHAL::VelbrinHAL()
{
    m_device = new FireWireDevice;
    m_monitor = new AudioDeviceMonitor;
    m_mixEngine = new MixEngine(*this);
    m_meterList = new MeterList(this);
    ParamWriter::SetSharedMeterList(m_meterList);
    m_listeners.push_back(m_meterList);
    m_thread = new avcThread(wxTHREAD_JOINABLE, m_device);
    m_thread->SetOwner(this);
    m_thread->SetMeterList(m_meterList);
    m_threadStarted = m_thread->Create() == wxTHREAD_NO_ERROR && m_thread->Run() == wxTHREAD_NO_ERROR;
    if (!m_threadStarted)
        DebugLog("VelbrinHAL : the polling thread could not be started\n");
}

bool VelbrinHAL::Shutdown()
{
    Close();
    m_thread->RequestTerminate();
    if (!m_threadStarted)
        return true;  // never ran
    // A thread that started is always joined, even one that has already left its loop (the toolkit
    // marks it ended before its OnExit has returned). A cycle ends within a few seconds even when
    // every transfer times out, and the close above has ended a transfer that hung.
    Clock& clock = GetClock();
    const uint64_t until = clock.NowMs() + kThreadEndWaitMs;
    while (!m_thread->HasExited() && clock.NowMs() < until)
        clock.SleepMs(10);
    if (!m_thread->HasExited()) {
        DebugLog("VelbrinHAL : the polling thread has not ended after %u ms; it is left running\n", kThreadEndWaitMs);
        return false;
    }
    m_thread->Wait();  // it has left its loop: the join returns at once
    return true;
}

VelbrinHAL::~VelbrinHAL()
{
    ParamWriter::SetSharedMeterList(nullptr);
    delete m_thread;
    delete m_mixEngine;
    delete m_meterList;
    delete m_device;
    delete m_monitor;
}

bool VelbrinHAL::OnPollingThread() const { return m_thread->IsCurrentThread(); }

// --- set-up ---

void VelbrinHAL::SetMixParameters(ParameterSet* set)
{
    m_mixParameters = set;
    m_mixEngine->SetParameterSet(set);
}

void VelbrinHAL::AddSource(ParamWriter* writer) { m_thread->AddSource(writer); }

void VelbrinHAL::AddListener(DeviceListener* listener) { m_listeners.push_back(listener); }

void VelbrinHAL::RemoveSource(ParamWriter* writer)
{
    const bool wasRunning = m_thread->IsCycling();
    m_thread->StopAVC();
    m_thread->RemoveSource(writer);
    if (wasRunning)
        m_thread->StartAVC(0);
}

void VelbrinHAL::SendEvent(int event)
{
    for (DeviceListener* listener : m_listeners)
        listener->OnDeviceEvent(event);
}

// --- open and close ---

void VelbrinHAL::CloseUnderlying()
{
    m_device->Close();
    m_monitor->Close();
}

int VelbrinHAL::Open()
{
    DebugLog("+ VelbrinHAL::Open()\n");
    StateScope scope(this);
    if (m_open)
        return 0;
    if (g_firmwareUpdatePending)
        return -1;

    int status = m_device->Open();
    if (status != 0) {
        DebugLog("  VelbrinHAL::Open() : Failed to open FireWire driver\n");
        CloseUnderlying();
        return status;
    }
    if (!m_monitor->HasDevice()) {
        DebugLog("  VelbrinHAL::Open() : Failed to open audio driver\n");
        CloseUnderlying();
        return -1;
    }
    ItemValue mode = {HalItem::kDspMode, 0};
    status = m_device->ReadItems(&mode, 1);
    if (status != 0) {
        DebugLog("  VelbrinHAL::Open() : Failed when sending test message\n");
        CloseUnderlying();
        return status;
    }
    bool needed = false;
    if (!FirmwareNeedsUpdate(&needed)) {
        DebugLog("  VelbrinHAL::FirmwareNeedsUpdate() : Failed\n");
        CloseUnderlying();
        return -1;
    }
    if (needed) {
        g_firmwareUpdatePending = true;
        CloseUnderlying();
        SendEvent(kDeviceEventFirmwareUpdate);
        return -1;
    }
    m_open = true;
    m_bootMessageConnection = 0;
    Start();
    SendEvent(kDeviceEventOpened);
    DebugLog("  VelbrinHAL::Open() : We're alive!\n");
    return 0;
}

bool VelbrinHAL::EnsureOpen()
{
    // Open can return 0 and still leave the unit closed (a close the polling thread asked for during
    // the open); the caller wants to know whether it is open now.
    if (!m_open)
        Open();
    return m_open;
}

void VelbrinHAL::Close()
{
    if (!OnPollingThread()) {
        StateScope scope(this);
        CloseLocked();
        return;
    }
    {
        std::lock_guard<std::mutex> pending(m_pendingLock);
        if (!m_stateLock.try_lock()) {
            // The GUI thread holds the state and may be waiting for this cycle to end. The cycles
            // stop now; the holder closes the unit when it lets go.
            m_closePending = true;
            m_open = false;
            m_thread->StopAVC();
            return;
        }
        ++m_stateDepth;
    }
    StateScope scope(this, std::adopt_lock);
    CloseLocked();
}

void VelbrinHAL::CloseLocked()
{
    const bool wasOpen = m_open.exchange(false);
    if (!wasOpen && !m_device->IsOpen())
        return;
    m_thread->StopAVC();
    GetClock().SleepMs(50);
    CloseUnderlying();
}

void VelbrinHAL::ShowBootFailure()
{
    // Once per connection of the unit: the reconnect loop's retries stay quiet, a replug speaks again.
    const uint64_t connection = FireWireSession::ConnectionCount();
    if (connection == m_bootMessageConnection)
        return;
    m_bootMessageConnection = connection;
    GetUserNotifier().ShowMessage(kBootFailureMessage, "VelbrinControl");
}

bool VelbrinHAL::FirmwareNeedsUpdate(bool* needed)
{
    *needed = false;
    if (!m_device || !m_monitor || !m_device->IsOpen())
        return false;
    const uint32_t build = m_device->InfoWord(13) & 0xFFFF;
    const int rate = m_monitor->GetNominalSampleRate();
    if (rate == 0 || rate > 96000) {
        *needed = build <= kBuildLastOld;
        return true;
    }

    // The DSP and its date code come up a while after power-up. A failed transfer means the unit is
    // not answering: the waits stop there.
    bool booted = false;
    bool answering = true;
    for (int i = 0; i < kBootPolls && answering; ++i) {
        ItemValue pair = {HalItem::kDspBooted, 0};
        answering = m_device->ReadItems(&pair, 1) == 0;
        if (answering && pair.value != 0) {
            booted = true;
            break;
        }
        GetClock().SleepMs(100);
    }
    uint32_t dateCode = 0;
    bool dated = false;
    // 100 ms before every try, the first too: a unit that has just booted can show a plausible but
    // wrong date code for a moment, and an old one would send the user to the updater.
    for (int i = 0; i < kDatePolls && booted && answering; ++i) {
        GetClock().SleepMs(100);
        dated = ReadDateCode(&dateCode, &answering);
        if (dated)
            break;
    }
    if (!answering)
        return false;  // the unit went away: nothing to tell the user about its DSP
    if (!booted || !dated) {
        ShowBootFailure();
        return false;
    }
    bool old = dateCode <= kDateLastOld;
    if (!old) {
        uint32_t version = 0, high = 0, low = 0;
        if (!GetDSPInfo(&version, &high, &low))
            return false;
        old = version <= kDspVersionLastOld;
    }
    *needed = build <= kBuildLastOld || old;
    return true;
}

bool VelbrinHAL::ReadDateCode(uint32_t* code, bool* answered)
{
    ItemValue dayMonth = {HalItem::kDateDayMonth, 0};
    ItemValue year = {HalItem::kDateYear, 0};
    const bool ok = m_device->ReadItems(&dayMonth, 1) == 0 && m_device->ReadItems(&year, 1) == 0;
    if (answered)
        *answered = ok;
    if (!ok)
        return false;
    const uint32_t month = (dayMonth.value >> 8) & 0xFF;
    const uint32_t day = dayMonth.value & 0xFF;
    if (year.value < 2005 || year.value > 2010 || month >= 13 || day >= 32)
        return false;
    *code = year.value << 16 | month << 8 | day;
    return true;
}

void VelbrinHAL::WriteRouting(bool stereo)
{
    for (uint32_t item = HalItem::kRoutingFirst; item < HalItem::kRoutingFirst + 5; ++item) {
        ItemValue pair = {item, HalItem::kRoutingWord};
        m_device->WriteItems(&pair, 1);
    }
    ItemValue mono = {HalItem::kMonoInput, stereo ? 0u : 1u};
    m_device->WriteItems(&mono, 1);
    ItemValue link = {HalItem::kStereoLink, stereo ? HalItem::kStereoLinkOn : 0u};
    m_device->WriteItems(&link, 1);
}

void VelbrinHAL::Start(int knownRate)
{
    int rate = m_open ? m_monitor->GetNominalSampleRate() : 0;
    if (knownRate)
        rate = knownRate;
    if (rate < kHighRate)
        WriteRouting(m_mixEngine->IsStereoInput());
    // The unit may have lost what was sent before (a failed transfer, a new connection, a DSP
    // that booted anew): every value the writers hold goes out again.
    m_thread->RequeueSources();
    m_thread->StartAVC(2000);
    m_mixEngine->SetSampleRate(float(rate));
    m_thread->SetCycleClient(m_mixParameters ? m_mixEngine : nullptr);
    m_thread->SetDspEnabled(rate < 96001);
}

// --- item access ---

int VelbrinHAL::GetValues(ItemValue* pairs, uint32_t n)
{
    if (!m_open || !m_thread->IsCycling())
        return -1;
    int status = m_device->ReadItems(pairs, n);
    if (status != 0) {
        DebugLog("VelbrinHAL::GetValues() Failed!!\n");
        Close();
    }
    return status;
}

int VelbrinHAL::GetValue(ItemValue* pair)
{
    if (!m_open || !m_thread->IsCycling())
        return -1;
    int status = m_device->ReadItems(pair, 1);
    if (status != 0) {
        DebugLog("VelbrinHAL::GetValue() Failed - Closing device now\n");
        Close();
    }
    return status;
}

int VelbrinHAL::SetValuesDirect(const ItemValue* pairs, uint32_t n)
{
    if (!m_open || !m_thread->IsCycling())
        return -1;
    int status;
    {
        PauseBracket pause(m_thread, OnPollingThread(), m_open);
        status = m_device->WriteItems(pairs, n);
        if (status != 0)
            Close();
    }
    return status;
}

int VelbrinHAL::SetValue(const ItemValue& pair) { return SetValuesDirect(&pair, 1); }

int VelbrinHAL::SaveToCnE()
{
    const ItemValue store = {HalItem::kStoreToFlash, 0};
    return SetValuesDirect(&store, 1);
}

// --- clock and rate ---

bool VelbrinHAL::ReadExternalClock(bool* on)
{
    ItemValue pair = {HalItem::kExternalClock, 0xFFFFFFFF};
    if (!m_open || GetValue(&pair) != 0)
        return false;
    *on = pair.value != 0;
    return true;
}

bool VelbrinHAL::IsExternalClock()
{
    bool on = false;
    return ReadExternalClock(&on) && on;
}

bool VelbrinHAL::SetExternalClock(bool on)
{
    if (!m_open)
        return false;
    if (!on)
        return SetValue({HalItem::kExternalClock, 0}) == 0;
    if (m_thread->IsSpdifPresent()) {
        if (int(m_thread->ExternalRate()) == m_monitor->GetNominalSampleRate())
            return SetValue({HalItem::kExternalClock, 1}) == 0;
        GetUserNotifier().ShowMessage(kNoSyncMessage, "");
        return false;
    }
    GetUserNotifier().ShowMessage(kNoSpdifMessage, "");
    return false;
}

namespace {

// The busy cursor over every window from construction to End or the end of the scope.
class BusyCursor {
public:
    BusyCursor() { GetUserNotifier().BeginBusy(); }
    ~BusyCursor() { End(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void End()
    {
        if (m_on)
            GetUserNotifier().EndBusy();
        m_on = false;
    }

private:
    bool m_on = true;
};

// Sleeps ms of the program's clock in steps of kReconnectPauseMs while the unit is connected; false,
// at once, when it is not.
bool SleepWhileConnected(uint64_t unit, uint32_t ms)
{
    for (uint32_t slept = 0; slept < ms; slept += kReconnectPauseMs) {
        if (!FireWireSession::IsUnitConnected(unit))
            return false;
        GetClock().SleepMs(std::min(kReconnectPauseMs, ms - slept));
    }
    return FireWireSession::IsUnitConnected(unit);
}

}  // namespace

bool VelbrinHAL::SetSampleRate(int hz)
{
    const int targetMode = ModeForRate(hz);
    StateScope scope(this);
    if (!m_open)
        return false;
    bool external = true;
    if (!ReadExternalClock(&external) || external)
        return false;
    BusyCursor busy;
    m_thread->StopAVC();
    if (!m_open)
        return false;  // a cycle failed meanwhile: the scope carries out its close
    const int currentMode = ModeForRate(m_monitor->GetNominalSampleRate());
    const bool modeChange = currentMode != targetMode;
    if (modeChange) {
        // The unit leaves the bus and comes back in the other mode. Every wait for it ends as soon as
        // it is unplugged: it is not coming back.
        const uint64_t unit = FireWireSession::UnitGuid();
        ItemValue mode = {HalItem::kDspMode, uint32_t(targetMode)};
        if (m_device->WriteItems(&mode, 1) != 0) {
            Close();
            return false;
        }
        CloseUnderlying();
        bool connected = SleepWhileConnected(unit, kModeSwitchSettleMs);
        bool reopened = false;
        for (int i = 0; i < kReconnectTries && connected && !reopened; ++i) {
            reopened = m_device->Open() == 0;
            if (!reopened)
                connected = SleepWhileConnected(unit, kReconnectPauseMs);
        }
        bool audio = false;
        for (int i = 0; i < kReconnectTries && connected && reopened && !audio; ++i) {
            audio = m_monitor->HasDevice();
            if (!audio)
                connected = SleepWhileConnected(unit, kReconnectPauseMs);
        }
        if (!reopened || !audio) {
            busy.End();
            if (connected)
                ShowBootFailure();
            else
                DebugLog("  VelbrinHAL::SetSampleRate() : the unit was unplugged during the mode switch\n");
            Close();  // the reconnect loop takes over
            return false;
        }
    }
    if (m_monitor->SetNominalSampleRate(hz) != 0) {
        Close();
        return false;
    }
    // Let the audio side report the new rate, so the listeners and the meter count see it.
    for (uint32_t waited = 0; waited < kRateReportWaitMs && m_monitor->GetNominalSampleRate() != hz; waited += 20)
        GetClock().SleepMs(20);
    const int knownRate = m_monitor->GetNominalSampleRate() == hz ? 0 : hz;
    if (modeChange)
        Start(knownRate);
    else
        m_thread->StartAVC(2000);
    busy.End();
    SendEvent(kDeviceEventOpened);
    return true;
}

void VelbrinHAL::SetStereo(bool stereo)
{
    if (!m_open || m_monitor->GetNominalSampleRate() >= kHighRate)
        return;
    m_thread->StopAVC();
    WriteRouting(stereo);
    m_mixEngine->Recalc();
    m_thread->StartAVC(0);
    DebugLog("Finished\n");
    GetClock().SleepMs(500);
}

bool VelbrinHAL::GetDSPInfo(uint32_t* dspVersion, uint32_t* infoHigh, uint32_t* infoLow)
{
    if (!m_device)
        return false;
    const bool wasRunning = m_thread->IsCycling();
    m_thread->StopAVC();
    ItemValue pairs[2] = {{HalItem::kDspInfo, 0}, {HalItem::kDspVersion, 0}};
    if (m_device->ReadItems(pairs, 2) != 0) {
        Close();
        return false;
    }
    *dspVersion = pairs[1].value;
    *infoHigh = pairs[0].value >> 8;
    *infoLow = pairs[0].value & 0xFF;
    if (wasRunning)
        m_thread->StartAVC(0);
    return true;
}

bool VelbrinHAL::GetBCDInfo(uint32_t* build, uint32_t* major, uint32_t* minor)
{
    if (!m_device || !m_device->IsOpen())
        return false;
    const uint32_t word = m_device->InfoWord(13);
    *major = word >> 24;
    *minor = (word >> 16) & 0xFF;
    *build = word & 0xFFFF;
    return true;
}

// --- queries ---

int VelbrinHAL::GetSampleRate() const { return m_open ? m_monitor->GetNominalSampleRate() : 0; }

bool VelbrinHAL::IsKnownRateUpTo96k() const
{
    const int rate = m_monitor->GetNominalSampleRate();
    return m_monitor->HasDevice() && rate >= 1 && rate <= 96000;
}

bool VelbrinHAL::IsRateUpTo96k() const { return m_open && m_monitor->IsRateUpTo96k(); }

bool VelbrinHAL::IsAudioRunning() const { return m_open && m_monitor->IsRunning(); }

bool VelbrinHAL::IsSpdifLocked() const { return m_thread->IsSpdifLocked(); }
