#pragma once
// The one object through which the program uses the Velbrin: opens and closes it, checks its
// firmware and DSP code, sets sample rate, clock source and stereo link, stores settings to flash,
// moves items for the GUI thread, and tells its listeners of device events.
//
// Threads: the GUI thread calls everything; the polling thread calls GetValue(s), SetValuesDirect
// (from the mix engine) and Close (after a failed transfer). Direct device access pauses the polling
// thread around it, except on the polling thread itself. A close that the polling thread asks for
// while the GUI thread is opening, closing or changing the rate is carried out when the GUI thread
// has finished; that operation then reports failure.
//
// Shutdown is bounded: every wait in it ends within seconds, and what ran out is traced.

#include "CtrlPanel/device/DeviceItems.h"
#include "CtrlPanel/device/DeviceListener.h"
#include "CtrlPanel/device/ItemAccess.h"
#include "CtrlPanel/device/ItemValue.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class AudioDeviceMonitor;
class FireWireDevice;
class MeterList;
class MixEngine;
class ParameterSet;
class ParamWriter;
class avcThread;

// How long shutdown waits for the polling thread to end (the program's clock).
constexpr uint32_t kThreadEndWaitMs = 10000;

class VelbrinHAL final : public ItemAccess {
public:
    static bool CreateInstance();
    static VelbrinHAL* GetInstance();
    static void DestroyInstance();
    static bool HasInstance();

    // --- set-up, at start-up ---
    void SetMixParameters(ParameterSet* set);
    void AddSource(ParamWriter* writer);
    void AddListener(DeviceListener* listener);
    void RemoveSource(ParamWriter* writer);

    // --- device access ---
    // 0 when open; -1 when the unit, its audio device or its checks fail, or an update is pending.
    int Open();
    // Opens the unit unless it is open; true when it is open afterwards.
    bool EnsureOpen();
    void Close() override;
    bool IsOpen() const { return m_open; }

    // 0; -1 when closed or the polling thread is paused; else the transfer's code (the HAL closes).
    int GetValues(ItemValue* pairs, uint32_t n) override;
    int GetValue(ItemValue* pair) override;
    int SetValue(const ItemValue& pair) override;
    int SetValuesDirect(const ItemValue* pairs, uint32_t n) override;
    int SaveToCnE();

    bool SetSampleRate(int hz);
    bool SetExternalClock(bool on);
    void SetStereo(bool stereo);
    bool IsExternalClock();
    bool GetDSPInfo(uint32_t* dspVersion, uint32_t* infoHigh, uint32_t* infoLow);
    bool GetBCDInfo(uint32_t* build, uint32_t* major, uint32_t* minor);

    int GetSampleRate() const override;
    bool IsKnownRateUpTo96k() const;
    bool IsRateUpTo96k() const;
    bool IsAudioRunning() const;
    bool IsSpdifLocked() const;
    MeterList* GetMeterList() const { return m_meterList; }

    // For tests and the shell.
    FireWireDevice* GetDevice() const { return m_device; }
    AudioDeviceMonitor* GetMonitor() const { return m_monitor; }
    MixEngine* GetMixEngine() const { return m_mixEngine; }
    avcThread* GetThread() const { return m_thread; }
    static bool IsFirmwareUpdatePending();
    // The pending flag lasts for the process; tests start each case afresh.
    static void ClearFirmwareUpdatePendingForTests();

private:
    // Holds the state lock for a scope. The outermost scope of the GUI thread carries out, before it
    // lets go, a close that the polling thread could not take meanwhile.
    class StateScope;

    VelbrinHAL();
    ~VelbrinHAL();
    // Closes, ends the polling thread and joins it. False when the thread did not end in time: it is
    // then left running, and the HAL with everything it reaches must not be freed.
    bool Shutdown();
    // The close itself; the caller holds the state lock.
    void CloseLocked();

    // Decides whether the unit's firmware or DSP code is too old; false when it cannot decide.
    bool FirmwareNeedsUpdate(bool* needed);
    // *answered (optional) tells a failed transfer from an invalid code.
    bool ReadDateCode(uint32_t* code, bool* answered = nullptr);
    // After an open or a mode change: routing words, stereo link, cycles after 2000 ms, mixer rate.
    void Start(int knownRate = 0);
    void SendEvent(int event);
    void WriteRouting(bool stereo);
    // Reads item 114; false when the read failed.
    bool ReadExternalClock(bool* on);
    // The DSP-boot message, once per unit connection.
    void ShowBootFailure();
    bool OnPollingThread() const;
    // Closes the unit and the audio monitor underneath the open flag.
    void CloseUnderlying();

    FireWireDevice* m_device = nullptr;
    AudioDeviceMonitor* m_monitor = nullptr;
    MixEngine* m_mixEngine = nullptr;
    avcThread* m_thread = nullptr;
    bool m_threadStarted = false;  // Create and Run succeeded: Shutdown must join it
    ParameterSet* m_mixParameters = nullptr;
    std::vector<DeviceListener*> m_listeners;
    std::atomic<bool> m_open{false};
    // Held by Open, Close and SetSampleRate: no close can slip into an open or a mode switch.
    std::recursive_mutex m_stateLock;
    int m_stateDepth = 0;  // scopes the holder has open
    // Orders the polling thread's try of the state lock with the holder's letting go, so a close
    // asked for meanwhile is never missed.
    std::mutex m_pendingLock;
    std::atomic<bool> m_closePending{false};
    MeterList* m_meterList = nullptr;
    uint64_t m_bootMessageConnection = 0;  // the unit connection the boot message was shown for
};
