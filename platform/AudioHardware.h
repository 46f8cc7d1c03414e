#pragma once
// The system audio side as the device code sees it: the list of audio devices, each device's name,
// nominal sample rate, clock source and running state, and notifications of their changes.
//
// Status codes: 0 on success; kAudioUnsupportedFormat when a device refuses a sample rate;
// kAudioIllegalOperation when it takes no rate at all (it follows an external clock);
// kAudioBadDevice for a device that is not (or no longer) in the list; kAudioError otherwise.
//
// Threads: every call may be made from any thread. Listeners run on a thread of the audio side's
// choosing, never assumed to be the GUI thread, and may call back into the interface. Removing a
// listener waits until a call of it in flight on another thread has returned, so whatever the
// listener uses may be freed once RemoveListener returns; removing it from inside its own call
// does not wait.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using AudioDeviceId = uint32_t;    // 0 = none
using AudioListenerId = uint64_t;  // 0 = none

enum class AudioDeviceProperty {
    NominalRate,   // Hz, a double
    ClockSource,   // the current clock source's id
    Running,       // nonzero while some client runs the device's streams
};

constexpr int kAudioUnsupportedFormat = 0x21646174;  // '!dat'
constexpr int kAudioIllegalOperation = 0x6E6F7065;   // 'nope'
constexpr int kAudioBadDevice = 0x21646576;          // '!dev'
constexpr int kAudioError = 0x77686174;              // 'what'

class AudioHardware {
public:
    using DeviceListener = std::function<void(AudioDeviceId device, AudioDeviceProperty property)>;

    virtual ~AudioHardware() = default;

    // --- the device list ---
    virtual int GetDevices(std::vector<AudioDeviceId>* devices) = 0;
    // onChange runs after every change of the list (a device arrived or left).
    virtual AudioListenerId AddDeviceListListener(std::function<void()> onChange) = 0;

    // --- one device ---
    virtual int GetDeviceName(AudioDeviceId device, std::string* name) = 0;
    virtual int GetNominalRate(AudioDeviceId device, double* hz) = 0;
    // 0 once the device takes the rate; its listeners hear of the change afterwards.
    virtual int SetNominalRate(AudioDeviceId device, double hz) = 0;
    virtual int GetClockSource(AudioDeviceId device, uint32_t* source) = 0;
    virtual int GetClockSourceName(AudioDeviceId device, uint32_t source, std::string* name) = 0;
    virtual int GetRunning(AudioDeviceId device, uint32_t* running) = 0;
    // onChange runs after every change of the property; fails for a device not in the list.
    virtual int AddDeviceListener(AudioDeviceId device, AudioDeviceProperty property, DeviceListener onChange,
                                  AudioListenerId* id) = 0;

    // Removes a listener of either kind (see the thread notes above). Unknown ids are ignored.
    virtual void RemoveListener(AudioListenerId id) = 0;
};

// The installed audio side; asserts when none is installed.
AudioHardware& GetAudioHardware();
// Installs an audio side (nullptr leaves none). The caller keeps ownership.
void SetAudioHardware(AudioHardware* hardware);
