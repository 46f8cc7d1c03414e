#pragma once
// The whole device side on the simulation: a Velbrin on a simulated bus, its audio device, a test
// clock (sleeps take a twentieth of their time, so the polling thread runs quickly but really), a
// recording notifier, and the HAL built on them.

#include <gtest/gtest.h>

#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/avcThread.h"
#include "platform/MainThread.h"
#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimScenario.h"
#include "platform/sim/SimVelbrin.h"
#include "support/RecordingNotifier.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class EventRecorder : public DeviceListener {
public:
    void OnDeviceEvent(int event) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_events.push_back(event);
    }
    std::vector<int> Events() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_events;
    }

private:
    mutable std::mutex m_lock;
    std::vector<int> m_events;
};

class HalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimBackends::Install(&bus, nullptr, &audio);
        SimScenario::LinkAudio(unit, audio);
        bus.Plug(&unit);
        DrainMainThreadQueue();
        VelbrinHAL::ClearFirmwareUpdatePendingForTests();
    }

    void TearDown() override
    {
        if (VelbrinHAL::HasInstance())
            VelbrinHAL::DestroyInstance();
        unit.SetStateHook(nullptr);
        bus.Unplug(&unit);
        DrainMainThreadQueue();
        SimBackends::Uninstall();
    }

    // Builds the HAL and waits until its monitor has found the audio device, for at most 3 s of the
    // program's clock.
    VelbrinHAL* MakeHal()
    {
        VelbrinHAL::CreateInstance();
        hal = VelbrinHAL::GetInstance();
        hal->AddListener(&events);
        const uint64_t until = clock->NowMs() + 3000;
        while (!hal->GetMonitor()->HasDevice() && clock->NowMs() <= until)
            clock->SleepMs(10);
        return hal;
    }

    // Lets ms of the program's clock pass: the test sleeps on it in small steps (a stopped polling
    // thread sleeps without the clock, so nothing else may move it on).
    void LetTimePass(uint64_t ms)
    {
        const uint64_t until = clock->NowMs() + ms;
        while (clock->NowMs() <= until)
            clock->SleepMs(10);
    }

    VelbrinHAL* OpenHal()
    {
        MakeHal();
        EXPECT_EQ(hal->Open(), 0);
        return hal;
    }

    // A writer block that outlives the HAL (TearDown destroys the HAL before the fixture's members),
    // so the polling thread never drains a block that is gone.
    ParamWriter& NewWriter(uint32_t baseItem, uint32_t count)
    {
        writers.push_back(std::make_unique<ParamWriter>(baseItem, count));
        return *writers.back();
    }

    // Polls cond in real time; false after limitMs.
    static bool WaitFor(const std::function<bool()>& cond, int limitMs = 5000)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (!cond()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Transfers made by the polling thread.
    std::vector<SimTransaction> PollingLog() const
    {
        std::vector<SimTransaction> out;
        for (auto& t : unit.Log())
            if (t.thread != std::this_thread::get_id())
                out.push_back(t);
        return out;
    }

    static bool Touches(const SimTransaction& t, uint32_t item)
    {
        for (auto& p : t.pairs)
            if (p.item == item)
                return true;
        return false;
    }

    std::vector<std::unique_ptr<ParamWriter>> writers;
    ScopedSimClock clock{20};
    SimAudioHardware audio;
    SimVelbrin unit;
    SimFireWireBus bus;
    RecordingNotifier notifier;
    EventRecorder events;
    VelbrinHAL* hal = nullptr;
};
