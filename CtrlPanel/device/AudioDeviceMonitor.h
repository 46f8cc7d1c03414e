#pragma once
// Finds the unit's audio device among the system's audio devices (the first whose name begins with
// "Velbrin") and keeps its nominal sample rate, clock source and running state current through
// property listeners. The HAL owns it, needs its device to open, and takes the rate from it.
//
// Threads: the listeners run on the audio side's thread and store into atomic fields; the query
// operations read those fields from any thread without a lock. Construction, destruction and
// SetNominalSampleRate belong to the HAL's threads. The destructor waits for a listener call in
// flight, so the listeners never touch freed state.

#include "platform/AudioHardware.h"

class AudioDeviceMonitor {
public:
    // Starts following the device list of the audio side and searches it once.
    explicit AudioDeviceMonitor(AudioHardware& hardware = GetAudioHardware());
    AudioDeviceMonitor(const AudioDeviceMonitor&) = delete;
    AudioDeviceMonitor& operator=(const AudioDeviceMonitor&) = delete;
    ~AudioDeviceMonitor();

    bool HasDevice() const;
    // Nothing to do: the device is followed for the monitor's whole life.
    void Close() {}
    // Hz, truncated; 0 without a device.
    int GetNominalSampleRate() const;
    // 0 when the device took the rate, 3 when it refused the format, 1 for any other failure and
    // without a device. The stored rate follows when the device reports its new rate.
    int SetNominalSampleRate(int hz);
    // False without a device.
    bool IsRunning() const;
    // True below 96001 Hz and without a device.
    bool IsRateUpTo96k() const;
    // Whether the current clock source's name ends in "Ext Plug 3". The HAL does not use it: the
    // unit's own item tells whether it runs on the external clock.
    bool IsExternalClockSource() const;

private:
    struct State;
    static void OnHardwareProperty(State* state);
    static void OnDeviceProperty(State* state, AudioDeviceId device, AudioDeviceProperty property);
    static void ReadPropertyLocked(State* state, AudioDeviceId device, AudioDeviceProperty property);
    static void RemoveDeviceListeners(State* state);

    State* m_state;
};
