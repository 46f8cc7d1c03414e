#include "CtrlPanel/device/AudioDeviceMonitor.h"

#include <atomic>
#include <cmath>
#include <mutex>
#include <string>
#include <vector>

namespace {

const AudioDeviceProperty kFollowed[] = {AudioDeviceProperty::NominalRate, AudioDeviceProperty::ClockSource,
                                         AudioDeviceProperty::Running};

bool IsUnitDeviceName(const std::string& name) { return name.compare(0, 7, "Velbrin") == 0; }

bool IsExternalClockName(const std::string& name)
{
    static const std::string kSuffix = "Ext Plug 3";
    return name.size() >= kSuffix.size() && name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) == 0;
}

// Whole hertz, truncated; 0 for a rate that is no number an int can hold.
int32_t TruncatedRate(double hz)
{
    if (!std::isfinite(hz) || hz <= -2147483649.0 || hz >= 2147483648.0)
        return 0;
    return int32_t(hz);
}

}  // namespace

struct AudioDeviceMonitor::State {
    explicit State(AudioHardware& hw) : hardware(hw) {}

    AudioHardware& hardware;
    std::atomic<uint32_t> device{0};
    std::atomic<int32_t> nominalRate{0};
    std::atomic<uint8_t> externalClock{0};
    std::atomic<uint32_t> running{0};

    // One device search at a time; guards the listener ids. Never taken by a device listener, so a
    // search may wait for a device listener's call to end.
    std::mutex searchLock;
    // Orders each property's read and store against a change of device: a listener of a device
    // that was just replaced cannot store that device's value after the new device's priming.
    std::mutex valueLock;
    AudioListenerId listListener = 0;
    std::vector<AudioListenerId> deviceListeners;
};

AudioDeviceMonitor::AudioDeviceMonitor(AudioHardware& hardware) : m_state(new State(hardware))
{
    State* state = m_state;
    state->listListener = hardware.AddDeviceListListener([state] { OnHardwareProperty(state); });
    OnHardwareProperty(state);
}

AudioDeviceMonitor::~AudioDeviceMonitor()
{
    // After this no search starts, and none is running.
    m_state->hardware.RemoveListener(m_state->listListener);
    {
        std::lock_guard<std::mutex> search(m_state->searchLock);
        RemoveDeviceListeners(m_state);
    }
    delete m_state;
}

bool AudioDeviceMonitor::HasDevice() const { return m_state->device.load() != 0; }

int AudioDeviceMonitor::GetNominalSampleRate() const { return HasDevice() ? m_state->nominalRate.load() : 0; }

int AudioDeviceMonitor::SetNominalSampleRate(int hz)
{
    const AudioDeviceId device = m_state->device.load();
    if (device == 0)
        return 1;
    const int status = m_state->hardware.SetNominalRate(device, double(hz));
    if (status == 0)
        return 0;
    return status == kAudioUnsupportedFormat ? 3 : 1;
}

bool AudioDeviceMonitor::IsRunning() const { return HasDevice() && m_state->running.load() != 0; }

bool AudioDeviceMonitor::IsRateUpTo96k() const { return !HasDevice() || m_state->nominalRate.load() < 96001; }

bool AudioDeviceMonitor::IsExternalClockSource() const { return HasDevice() && m_state->externalClock.load() != 0; }

void AudioDeviceMonitor::OnHardwareProperty(State* state)
{
    std::lock_guard<std::mutex> search(state->searchLock);
    AudioHardware& hw = state->hardware;
    std::vector<AudioDeviceId> devices;
    if (hw.GetDevices(&devices) != 0)
        return;
    for (AudioDeviceId device : devices) {
        std::string name;
        if (hw.GetDeviceName(device, &name) != 0 || !IsUnitDeviceName(name))
            continue;
        if (device == state->device.load())
            return;
        std::vector<AudioListenerId> added;
        for (AudioDeviceProperty property : kFollowed) {
            AudioListenerId id = 0;
            const int status = hw.AddDeviceListener(
                device, property, [state](AudioDeviceId d, AudioDeviceProperty p) { OnDeviceProperty(state, d, p); },
                &id);
            if (status != 0)
                break;
            added.push_back(id);
        }
        if (added.size() != std::size(kFollowed)) {
            for (AudioListenerId id : added)
                hw.RemoveListener(id);
            continue;
        }
        {
            // Switch and prime in one step, so the queries never pair the new device with values
            // stored by the old device's listeners afterwards.
            std::lock_guard<std::mutex> values(state->valueLock);
            state->device.store(device);
            for (AudioDeviceProperty property : kFollowed)
                ReadPropertyLocked(state, device, property);
        }
        RemoveDeviceListeners(state);
        state->deviceListeners = std::move(added);
        return;
    }
    {
        std::lock_guard<std::mutex> values(state->valueLock);
        state->device.store(0);
    }
    RemoveDeviceListeners(state);
}

void AudioDeviceMonitor::OnDeviceProperty(State* state, AudioDeviceId device, AudioDeviceProperty property)
{
    std::lock_guard<std::mutex> values(state->valueLock);
    if (device != state->device.load())
        return;
    ReadPropertyLocked(state, device, property);
}

void AudioDeviceMonitor::ReadPropertyLocked(State* state, AudioDeviceId device, AudioDeviceProperty property)
{
    AudioHardware& hw = state->hardware;
    // A failed read keeps the value stored before.
    switch (property) {
    case AudioDeviceProperty::NominalRate: {
        double hz = 0.0;
        if (hw.GetNominalRate(device, &hz) == 0)
            state->nominalRate.store(TruncatedRate(hz));
        break;
    }
    case AudioDeviceProperty::ClockSource: {
        uint32_t source = 0;
        std::string name;
        if (hw.GetClockSource(device, &source) == 0 && hw.GetClockSourceName(device, source, &name) == 0)
            state->externalClock.store(IsExternalClockName(name) ? 1 : 0);
        break;
    }
    case AudioDeviceProperty::Running: {
        uint32_t running = 0;
        if (hw.GetRunning(device, &running) == 0)
            state->running.store(running);
        break;
    }
    }
}

// Called with the search lock held.
void AudioDeviceMonitor::RemoveDeviceListeners(State* state)
{
    for (AudioListenerId id : state->deviceListeners)
        state->hardware.RemoveListener(id);
    state->deviceListeners.clear();
}
