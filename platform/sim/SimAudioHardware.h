#pragma once
// The simulated audio side: the audio device that the system's driver publishes for the unit, and
// any other audio devices a test puts beside it.
//
// The unit's device exists while the unit is on the bus and its DSP has booted. It is named
// "Velbrin Audio" unless a test renames it, and it comes back under a new id each time it
// reappears or the DSP mode changes. The DSP mode decides the rates it takes: mode 2 takes 44100,
// 48000, 88200 and 96000 Hz, mode 3 takes 176400 and 192000 Hz, any other mode none; other rates
// answer kAudioUnsupportedFormat. Its clock sources are 1 (internal, "Internal") and 2 (external,
// "S/PDIF Ext Plug 3"). On the external clock the device runs at the external clock's rate when the
// mode takes it, and refuses every rate request with kAudioIllegalOperation.
//
// The unit model drives the device side (SetUnitState and the setters below it); nothing here knows
// the unit. Notifications are queued and delivered on a thread of the simulation's own, in order;
// with Delivery::Synchronous they run on the thread that made the change, after it has released
// every lock of the simulation (for unit tests).

#include "platform/AudioHardware.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

class SimAudioHardware : public AudioHardware {
public:
    enum class Delivery { Thread, Synchronous };

    static constexpr uint32_t kInternalClock = 1;
    static constexpr uint32_t kExternalClock = 2;

    explicit SimAudioHardware(Delivery delivery = Delivery::Thread);
    ~SimAudioHardware() override;

    // The process's audio side (SimBackends::InstallScenario installs it); it lives until exit.
    static SimAudioHardware& Default();

    // --- device side: the unit ---
    // The device is listed while present and dspBooted. It starts not running, at its last rate when
    // the mode takes it, else at 44100 Hz (mode 2) or 176400 Hz (mode 3).
    void SetUnitState(bool present, bool dspBooted, int dspMode);
    void SetClockSourceExternal(bool external);
    // The rate the external clock offers, 0 when there is none.
    void SetExternalClockRate(double hz);
    // Ignored while the device is absent.
    void SetRunning(bool running);
    // The rate as the unit reports it, not checked against the mode.
    void SetDeviceNominalRate(double hz);
    void SetDeviceName(const std::string& name);
    void SetClockSourceNames(const std::string& internalName, const std::string& externalName);

    // --- other devices: listed in the order added, always before the unit's device ---
    AudioDeviceId AddOtherDevice(const std::string& name);

    // --- what a test checks ---
    AudioDeviceId UnitDevice() const;  // 0 while the device is absent
    double DeviceNominalRate() const;
    int ListenerCount() const;         // installed listeners of both kinds
    int RateRequests() const;          // SetNominalRate calls received
    int HeldReads() const;             // property reads now held (HoldPropertyReads)

    // --- scripting ---
    // After the next `after` AddDeviceListener calls succeed, count calls fail with kAudioError.
    void FailNextListenerAdds(int count, int after = 0);
    // The next count GetDevices calls fail with kAudioError.
    void FailNextDeviceListReads(int count);
    // The next SetNominalRate call fails with this code.
    void FailNextRateRequest(int code);
    // While held, property reads (rate, clock source and its name, running) wait, for at most 60 s.
    void HoldPropertyReads(bool hold);
    // Waits until every queued notification has run and none is running; false after 10 s.
    bool WaitForNotifications();

    // --- AudioHardware ---
    int GetDevices(std::vector<AudioDeviceId>* devices) override;
    AudioListenerId AddDeviceListListener(std::function<void()> onChange) override;
    int GetDeviceName(AudioDeviceId device, std::string* name) override;
    int GetNominalRate(AudioDeviceId device, double* hz) override;
    int SetNominalRate(AudioDeviceId device, double hz) override;
    int GetClockSource(AudioDeviceId device, uint32_t* source) override;
    int GetClockSourceName(AudioDeviceId device, uint32_t source, std::string* name) override;
    int GetRunning(AudioDeviceId device, uint32_t* running) override;
    int AddDeviceListener(AudioDeviceId device, AudioDeviceProperty property, DeviceListener onChange,
                          AudioListenerId* id) override;
    void RemoveListener(AudioListenerId id) override;

private:
    struct Device {
        AudioDeviceId id;
        std::string name;
        double rate;
        uint32_t clock;
        uint32_t running;
        bool unit;
    };
    struct Listener {
        bool deviceList;
        AudioDeviceId device;
        AudioDeviceProperty property;
        std::function<void()> onList;
        DeviceListener onDevice;
    };
    struct Event {
        bool deviceList;
        AudioDeviceId device;
        AudioDeviceProperty property;
    };
    struct Call {
        AudioListenerId id;
        std::thread::id thread;
    };

    Device* FindLocked(AudioDeviceId device);
    bool ListedLocked() const { return m_unit.id != 0; }
    // Brings the unit's device into or out of the list after a change of the unit's state.
    void UpdateUnitDeviceLocked(int oldMode, std::vector<Event>* events);
    bool RateValidLocked(const Device& device, double hz) const;
    // On the external clock, takes its rate when the mode allows it.
    void FollowExternalClockLocked(std::vector<Event>* events);
    // Queues the events for the delivery thread, or runs them here (Delivery::Synchronous).
    // Called without the lock.
    void Publish(const std::vector<Event>& events);
    // Runs the listeners of the event on this thread; called without the lock.
    void Dispatch(const Event& event);
    void DeliveryLoop();
    void WaitIfHeld();

    const Delivery m_delivery;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;  // queue, calls in flight, held reads

    std::vector<Device> m_devices;      // other devices, in list order
    // The unit's device, listed after the others while its id is nonzero; kept while absent.
    Device m_unit{0, "Velbrin Audio", 44100.0, kInternalClock, 0, true};
    AudioDeviceId m_nextDeviceId = 0x20;
    bool m_present = false;
    bool m_dspBooted = false;
    int m_dspMode = 2;
    double m_externalRate = 0;
    std::string m_clockNames[2] = {"Internal", "S/PDIF Ext Plug 3"};

    std::map<AudioListenerId, Listener> m_listeners;
    AudioListenerId m_nextListenerId = 1;
    std::vector<Call> m_calls;          // listener calls in flight
    std::deque<Event> m_queue;          // Delivery::Thread only
    bool m_delivering = false;
    bool m_stop = false;
    std::thread m_thread;

    int m_failListenerAdds = 0;
    int m_passListenerAdds = 0;
    int m_failDeviceListReads = 0;
    int m_failRateCode = 0;
    int m_rateRequests = 0;
    bool m_holdReads = false;
    int m_heldReads = 0;
};
