#pragma once
// The polling thread. While cycles are wanted it sleeps 50 ms before each cycle: the mix engine's
// refresh, up to 20 dirty pairs from each writer block, the enabled meter groups, and the S/PDIF
// status, in this order.
//
// Pausing: StopAVC clears `running` and waits (bounded, on the program's clock) until the cycle in
// flight has ended; StartAVC sets it again after an optional start delay. Called on the polling
// thread itself (a failed transfer closes the HAL from inside a cycle), neither waits. A stopped
// thread sleeps until it is started or asked to end: it does not wake while the unit is closed.

#include "CtrlPanel/device/ItemValue.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>
#include <wx/thread.h>

class CycleClient;
class FireWireDevice;
class ItemAccess;
class MeterList;
class ParamWriter;

constexpr uint32_t kCyclePairs = 20;
constexpr uint32_t kCycleSleepMs = 50;
// How long a stop waits for the cycle in flight before it logs and goes on, and how often it looks.
constexpr uint32_t kStopWaitLimitMs = 10000;
constexpr uint32_t kStopPollMs = 10;

class avcThread : public wxThread {
public:
    avcThread(wxThreadKind kind, FireWireDevice* device);
    ~avcThread() override;

    void StartAVC(int delayMs);
    void StopAVC();

    // --- set by the HAL ---
    // The HAL's items: a failed transfer closes them, and the clock status is read through them.
    void SetOwner(ItemAccess* items) { m_owner = items; }
    // The mix engine's cycle, run first in every cycle; null runs none.
    void SetCycleClient(CycleClient* client) { m_cycleClient = client; }
    void SetMeterList(MeterList* meters) { m_meterList = meters; }
    void SetDspEnabled(bool enabled) { m_dspEnabled = enabled; }
    void AddSource(ParamWriter* writer);
    // Nulls every entry equal to writer; the list keeps its length. Call while paused.
    void RemoveSource(ParamWriter* writer);
    // Every value the sources hold is sent again (after an open).
    void RequeueSources();
    void RequestTerminate();

    // --- read by the HAL ---
    // Cycles are wanted (set by StartAVC, cleared by StopAVC).
    bool IsCycling() const { return m_running; }
    bool IsBusy() const { return m_busy; }
    bool HasExited() const { return m_exited; }
    bool IsDspEnabled() const { return m_dspEnabled; }
    bool IsSpdifLocked() const { return m_spdifLocked; }
    bool IsSpdifPresent() const { return m_spdifPresent; }
    uint32_t ExternalRate() const { return m_externalRate; }
    bool IsCurrentThread() const { return std::this_thread::get_id() == m_threadId.load(); }
    // The source list in drain order (removed entries are null).
    std::vector<ParamWriter*> GetSources();

    // One pass of the loop (sleeps included); Entry repeats it. A pass while stopped waits for a
    // start or the end.
    void RunOnePass();

protected:
    ExitCode Entry() override;
    void OnExit() override;

private:
    // Marks the thread busy when cycles are still wanted; false (not busy) otherwise.
    bool EnterCycle();
    void LeaveCycle();
    void DrainSources();
    void ReadClockStatus();
    // Sleeps up to ms in slices, ending early when cycles stop or the thread is to end. Returns the
    // milliseconds not slept.
    uint32_t SleepWhileRunning(uint32_t ms);

    FireWireDevice* m_device;
    std::atomic<ItemAccess*> m_owner{nullptr};
    std::atomic<CycleClient*> m_cycleClient{nullptr};
    std::atomic<MeterList*> m_meterList{nullptr};
    std::mutex m_sourcesLock;
    std::vector<ParamWriter*> m_sources;
    ItemValue m_sendBuffer[kCyclePairs] = {};

    std::atomic<bool> m_spdifLocked{false};
    std::atomic<bool> m_spdifPresent{false};
    std::atomic<uint32_t> m_externalRate{0};

    // The pause hand-shake: running and busy change under m_stateLock; a start or the end wakes a
    // stopped thread through m_wake.
    std::mutex m_stateLock;
    std::condition_variable m_wake;
    std::atomic<bool> m_running{false};
    std::atomic<uint32_t> m_delay{0};
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_dspEnabled{false};
    std::atomic<bool> m_exited{false};
    std::atomic<bool> m_terminate{false};
    std::atomic<std::thread::id> m_threadId{};
};
