#include "CtrlPanel/device/avcThread.h"

#include "CtrlPanel/device/CycleClient.h"
#include "CtrlPanel/device/DeviceItems.h"
#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/ItemAccess.h"
#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

#include <algorithm>
#include <wx/string.h>

namespace {
constexpr uint32_t kSleepSliceMs = 100;
}

avcThread::avcThread(wxThreadKind kind, FireWireDevice* device) : wxThread(kind), m_device(device) {}

avcThread::~avcThread() = default;

void avcThread::StartAVC(int delayMs)
{
    DebugLog("avcThread::StartAVC(%d)\n", delayMs);
    {
        std::lock_guard<std::mutex> lock(m_stateLock);
        // A pending start delay is never shortened by a later start.
        m_delay = std::max<uint32_t>(m_delay, uint32_t(std::max(delayMs, 0)));
        m_running = true;
    }
    m_wake.notify_all();
}

void avcThread::StopAVC()
{
    DebugLog("avcThread::StopAVC()\n");
    std::unique_lock<std::mutex> lock(m_stateLock);
    m_running = false;
    if (IsCurrentThread())
        return;
    Clock& clock = GetClock();
    const uint64_t until = clock.NowMs() + kStopWaitLimitMs;
    while (m_busy) {
        if (clock.NowMs() >= until) {
            DebugLog("avcThread::StopAVC() : cycle still busy after %u ms, going on\n", kStopWaitLimitMs);
            return;
        }
        lock.unlock();
        clock.SleepMs(kStopPollMs);
        lock.lock();
    }
}

void avcThread::AddSource(ParamWriter* writer)
{
    std::lock_guard<std::mutex> lock(m_sourcesLock);
    m_sources.push_back(writer);
}

std::vector<ParamWriter*> avcThread::GetSources()
{
    std::lock_guard<std::mutex> lock(m_sourcesLock);
    return m_sources;
}

void avcThread::RemoveSource(ParamWriter* writer)
{
    std::lock_guard<std::mutex> lock(m_sourcesLock);
    std::replace(m_sources.begin(), m_sources.end(), writer, static_cast<ParamWriter*>(nullptr));
}

void avcThread::RequeueSources()
{
    std::lock_guard<std::mutex> lock(m_sourcesLock);
    for (ParamWriter* writer : m_sources)
        if (writer)
            writer->MarkHeldPending();
}

void avcThread::RequestTerminate()
{
    {
        std::lock_guard<std::mutex> lock(m_stateLock);
        m_terminate = true;
    }
    m_wake.notify_all();
}

bool avcThread::EnterCycle()
{
    std::lock_guard<std::mutex> lock(m_stateLock);
    if (!m_running)
        return false;
    m_busy = true;
    return true;
}

void avcThread::LeaveCycle()
{
    std::lock_guard<std::mutex> lock(m_stateLock);
    m_busy = false;
}

uint32_t avcThread::SleepWhileRunning(uint32_t ms)
{
    while (ms > 0 && m_running && !m_terminate) {
        uint32_t slice = std::min(ms, kSleepSliceMs);
        GetClock().SleepMs(slice);
        ms -= slice;
    }
    return ms;
}

wxThread::ExitCode avcThread::Entry()
{
    m_threadId = std::this_thread::get_id();
    // Named, so per-thread figures (benchmarks, top -H) tell it from the GUI thread.
    SetNameForCurrent("avcThread");
    while (!m_terminate && !TestDestroy())
        RunOnePass();
    LeaveCycle();
    return 0;
}

void avcThread::OnExit()
{
    m_exited = true;
}

void avcThread::RunOnePass()
{
    if (!m_running) {
        // Stopped: the thread sleeps until a start or the end is asked for.
        std::unique_lock<std::mutex> lock(m_stateLock);
        m_busy = false;
        m_wake.wait(lock, [this] { return m_running || m_terminate; });
        return;
    }
    GetClock().SleepMs(kCycleSleepMs);
    if (m_terminate)
        return;
    if (m_delay) {
        // The delay is consumed as it is slept; a stop keeps what is left for the next start.
        uint32_t left = SleepWhileRunning(m_delay.exchange(0));
        if (left) {
            std::lock_guard<std::mutex> lock(m_stateLock);
            m_delay = std::max<uint32_t>(m_delay, left);
            return;
        }
        DebugLog("avcThread : AVC Thread has awoken from delay\n");
        return;
    }
    // Busy is set only after running was seen set under the lock, so a stop either finds the thread
    // idle or waits for this cycle to end.
    if (!EnterCycle())
        return;

    if (CycleClient* client = m_cycleClient)
        client->Refresh();
    if (m_running)
        DrainSources();
    if (m_running) {
        DebugLog("avcThread : MeterData--+\n");
        MeterList* meters = m_meterList;
        if (meters && m_dspEnabled)
            meters->ReadMeters();
        DebugLog("avcThread : MeterData---\n");
    }
    if (m_running)
        ReadClockStatus();
    LeaveCycle();
}

void avcThread::DrainSources()
{
    for (size_t index = 0;; ++index) {
        ParamWriter* writer;
        {
            std::lock_guard<std::mutex> lock(m_sourcesLock);
            if (index >= m_sources.size())
                return;
            writer = m_sources[index];
        }
        if (!m_running || !writer)
            continue;
        uint32_t pending = writer->GetPendingCount();
        if (pending == 0)
            continue;
        // One locked pop, so a coefficient set and its commit never leave half updated.
        ItemValue popped[kCyclePairs];
        const uint32_t k = writer->PopPending(popped, std::min(pending, kCyclePairs));
        const bool dsp = m_dspEnabled;
        uint32_t out = 0;
        for (uint32_t i = 0; i < k; ++i) {
            // Above 96 kHz the DSP does not run: its items are dropped, their flags cleared all the same.
            if (dsp || popped[i].item < HalItem::kFirstDspItem)
                m_sendBuffer[out++] = popped[i];
        }
        if (out == 0)
            continue;
        if (m_device->WriteItems(m_sendBuffer, out) != 0) {
            DebugLog("avcThread : Plugin Coeff Send Failed!!\n");
            if (ItemAccess* items = m_owner)
                items->Close();
        }
    }
}

void avcThread::ReadClockStatus()
{
    if (!m_dspEnabled)
        return;
    ItemValue status = {HalItem::kClockStatus, 0};
    ItemAccess* items = m_owner;
    if (!items || items->GetValue(&status) != 0)
        status.value = 0;
    m_spdifLocked = (status.value & 1) != 0;
    m_spdifPresent = (status.value & 2) != 0;
    m_externalRate = m_spdifPresent ? uint32_t(RateFromCode((status.value >> 8) & 0xFF)) : 0;
}
