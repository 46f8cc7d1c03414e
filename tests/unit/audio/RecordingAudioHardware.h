#pragma once
// Passes every call to a simulated audio side and keeps, for the test, a copy of each device
// listener that was added, the thread each listener call ran on, and how many calls returned.

#include "platform/sim/SimAudioHardware.h"

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

class RecordingAudioHardware : public AudioHardware {
public:
    explicit RecordingAudioHardware(SimAudioHardware& sim) : m_sim(sim) {}

    struct Added {
        AudioDeviceId device;
        AudioDeviceProperty property;
        DeviceListener listener;  // the monitor's own function, without the recording wrapper
    };
    std::vector<Added> AddedListeners()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_added;
    }
    std::set<std::thread::id> CallThreads()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_threads;
    }
    std::atomic<int> callsReturned{0};

    int GetDevices(std::vector<AudioDeviceId>* devices) override { return m_sim.GetDevices(devices); }
    AudioListenerId AddDeviceListListener(std::function<void()> onChange) override
    {
        return m_sim.AddDeviceListListener([this, onChange] {
            Enter();
            onChange();
            ++callsReturned;
        });
    }
    int GetDeviceName(AudioDeviceId d, std::string* name) override { return m_sim.GetDeviceName(d, name); }
    int GetNominalRate(AudioDeviceId d, double* hz) override { return m_sim.GetNominalRate(d, hz); }
    int SetNominalRate(AudioDeviceId d, double hz) override { return m_sim.SetNominalRate(d, hz); }
    int GetClockSource(AudioDeviceId d, uint32_t* s) override { return m_sim.GetClockSource(d, s); }
    int GetClockSourceName(AudioDeviceId d, uint32_t s, std::string* name) override
    {
        return m_sim.GetClockSourceName(d, s, name);
    }
    int GetRunning(AudioDeviceId d, uint32_t* running) override { return m_sim.GetRunning(d, running); }
    int AddDeviceListener(AudioDeviceId device, AudioDeviceProperty property, DeviceListener onChange,
                          AudioListenerId* id) override
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_added.push_back({device, property, onChange});
        }
        return m_sim.AddDeviceListener(device, property,
                                       [this, onChange](AudioDeviceId d, AudioDeviceProperty p) {
                                           Enter();
                                           onChange(d, p);
                                           ++callsReturned;
                                       },
                                       id);
    }
    void RemoveListener(AudioListenerId id) override { m_sim.RemoveListener(id); }

private:
    void Enter()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_threads.insert(std::this_thread::get_id());
    }

    SimAudioHardware& m_sim;
    std::mutex m_lock;
    std::vector<Added> m_added;
    std::set<std::thread::id> m_threads;
};
