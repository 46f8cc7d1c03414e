#include "platform/sim/SimAudioHardware.h"

#include <algorithm>
#include <chrono>
#include <pthread.h>

namespace {

const double kLowRates[] = {44100.0, 48000.0, 88200.0, 96000.0};
const double kHighRates[] = {176400.0, 192000.0};

template <size_t N>
bool Contains(const double (&rates)[N], double hz)
{
    return std::find(std::begin(rates), std::end(rates), hz) != std::end(rates);
}

}  // namespace

SimAudioHardware::SimAudioHardware(Delivery delivery) : m_delivery(delivery)
{
    if (m_delivery == Delivery::Thread)
        m_thread = std::thread([this] {
            pthread_setname_np(pthread_self(), "sim-audio");
            DeliveryLoop();
        });
}

SimAudioHardware::~SimAudioHardware()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
        m_holdReads = false;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

SimAudioHardware& SimAudioHardware::Default()
{
    static SimAudioHardware hardware;
    return hardware;
}

// --- device side ---

void SimAudioHardware::SetUnitState(bool present, bool dspBooted, int dspMode)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const int oldMode = m_dspMode;
        m_present = present;
        m_dspBooted = dspBooted;
        m_dspMode = dspMode;
        UpdateUnitDeviceLocked(oldMode, &events);
    }
    Publish(events);
}

void SimAudioHardware::UpdateUnitDeviceLocked(int oldMode, std::vector<Event>* events)
{
    const bool wanted = m_present && m_dspBooted;
    const bool modeChanged = m_dspMode != oldMode;
    bool listChanged = false;
    // A mode change re-enumerates the unit: its device leaves and comes back under a new id.
    if (ListedLocked() && (!wanted || modeChanged)) {
        m_unit.id = 0;
        m_unit.running = 0;
        listChanged = true;
    }
    if (wanted && !ListedLocked()) {
        if (!RateValidLocked(m_unit, m_unit.rate) && (m_dspMode == 2 || m_dspMode == 3))
            m_unit.rate = m_dspMode == 3 ? kHighRates[0] : kLowRates[0];
        m_unit.id = m_nextDeviceId++;
        listChanged = true;
    }
    if (listChanged)
        events->push_back({true, 0, AudioDeviceProperty::NominalRate});
    FollowExternalClockLocked(events);
}

void SimAudioHardware::FollowExternalClockLocked(std::vector<Event>* events)
{
    if (m_unit.clock != kExternalClock || m_externalRate <= 0 || m_unit.rate == m_externalRate ||
        !RateValidLocked(m_unit, m_externalRate))
        return;
    m_unit.rate = m_externalRate;
    if (ListedLocked())
        events->push_back({false, m_unit.id, AudioDeviceProperty::NominalRate});
}

void SimAudioHardware::SetClockSourceExternal(bool external)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const uint32_t clock = external ? kExternalClock : kInternalClock;
        if (clock != m_unit.clock && ListedLocked())
            events.push_back({false, m_unit.id, AudioDeviceProperty::ClockSource});
        m_unit.clock = clock;
        FollowExternalClockLocked(&events);
    }
    Publish(events);
}

void SimAudioHardware::SetExternalClockRate(double hz)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_externalRate = hz;
        FollowExternalClockLocked(&events);
    }
    Publish(events);
}

void SimAudioHardware::SetRunning(bool running)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!ListedLocked())
            return;
        if (uint32_t(running) != m_unit.running)
            events.push_back({false, m_unit.id, AudioDeviceProperty::Running});
        m_unit.running = running ? 1 : 0;
    }
    Publish(events);
}

void SimAudioHardware::SetDeviceNominalRate(double hz)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (hz != m_unit.rate && ListedLocked())
            events.push_back({false, m_unit.id, AudioDeviceProperty::NominalRate});
        m_unit.rate = hz;
    }
    Publish(events);
}

void SimAudioHardware::SetDeviceName(const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_unit.name = name;
}

void SimAudioHardware::SetClockSourceNames(const std::string& internalName, const std::string& externalName)
{
    std::vector<Event> events;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_clockNames[0] = internalName;
        m_clockNames[1] = externalName;
        if (ListedLocked())
            events.push_back({false, m_unit.id, AudioDeviceProperty::ClockSource});
    }
    Publish(events);
}

AudioDeviceId SimAudioHardware::AddOtherDevice(const std::string& name)
{
    AudioDeviceId id;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        id = m_nextDeviceId++;
        m_devices.push_back({id, name, kLowRates[0], kInternalClock, 0, false});
    }
    Publish({{true, 0, AudioDeviceProperty::NominalRate}});
    return id;
}

// --- what a test checks, scripting ---

AudioDeviceId SimAudioHardware::UnitDevice() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_unit.id;
}

double SimAudioHardware::DeviceNominalRate() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_unit.rate;
}

int SimAudioHardware::ListenerCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return int(m_listeners.size());
}

int SimAudioHardware::RateRequests() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_rateRequests;
}

int SimAudioHardware::HeldReads() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_heldReads;
}

void SimAudioHardware::FailNextListenerAdds(int count, int after)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_failListenerAdds = count;
    m_passListenerAdds = after;
}

void SimAudioHardware::FailNextDeviceListReads(int count)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_failDeviceListReads = count;
}

void SimAudioHardware::FailNextRateRequest(int code)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_failRateCode = code;
}

void SimAudioHardware::HoldPropertyReads(bool hold)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_holdReads = hold;
    }
    m_changed.notify_all();
}

bool SimAudioHardware::WaitForNotifications()
{
    std::unique_lock<std::mutex> lock(m_lock);
    return m_changed.wait_for(lock, std::chrono::seconds(10),
                              [this] { return m_queue.empty() && !m_delivering && m_calls.empty(); });
}

// --- AudioHardware ---

int SimAudioHardware::GetDevices(std::vector<AudioDeviceId>* devices)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!devices)
        return kAudioError;
    if (m_failDeviceListReads > 0) {
        --m_failDeviceListReads;
        return kAudioError;
    }
    devices->clear();
    for (const Device& d : m_devices)
        devices->push_back(d.id);
    if (ListedLocked())
        devices->push_back(m_unit.id);
    return 0;
}

AudioListenerId SimAudioHardware::AddDeviceListListener(std::function<void()> onChange)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const AudioListenerId id = m_nextListenerId++;
    m_listeners[id] = Listener{true, 0, AudioDeviceProperty::NominalRate, std::move(onChange), nullptr};
    return id;
}

int SimAudioHardware::GetDeviceName(AudioDeviceId device, std::string* name)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const Device* d = FindLocked(device);
    if (!d || !name)
        return d ? kAudioError : kAudioBadDevice;
    *name = d->name;
    return 0;
}

int SimAudioHardware::GetNominalRate(AudioDeviceId device, double* hz)
{
    WaitIfHeld();
    std::lock_guard<std::mutex> lock(m_lock);
    const Device* d = FindLocked(device);
    if (!d || !hz)
        return d ? kAudioError : kAudioBadDevice;
    *hz = d->rate;
    return 0;
}

int SimAudioHardware::SetNominalRate(AudioDeviceId device, double hz)
{
    std::vector<Event> events;
    int status = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_rateRequests;
        Device* d = FindLocked(device);
        if (m_failRateCode != 0) {
            status = m_failRateCode;
            m_failRateCode = 0;
        } else if (!d) {
            status = kAudioBadDevice;
        } else if (d->unit && d->clock == kExternalClock) {
            status = kAudioIllegalOperation;
        } else if (!RateValidLocked(*d, hz)) {
            status = kAudioUnsupportedFormat;
        } else if (d->rate != hz) {
            d->rate = hz;
            events.push_back({false, d->id, AudioDeviceProperty::NominalRate});
        }
    }
    Publish(events);
    return status;
}

int SimAudioHardware::GetClockSource(AudioDeviceId device, uint32_t* source)
{
    WaitIfHeld();
    std::lock_guard<std::mutex> lock(m_lock);
    const Device* d = FindLocked(device);
    if (!d || !source)
        return d ? kAudioError : kAudioBadDevice;
    *source = d->clock;
    return 0;
}

int SimAudioHardware::GetClockSourceName(AudioDeviceId device, uint32_t source, std::string* name)
{
    WaitIfHeld();
    std::lock_guard<std::mutex> lock(m_lock);
    const Device* d = FindLocked(device);
    if (!d)
        return kAudioBadDevice;
    if (!name || (source != kInternalClock && (source != kExternalClock || !d->unit)))
        return kAudioError;
    *name = d->unit ? m_clockNames[source == kExternalClock] : "Internal";
    return 0;
}

int SimAudioHardware::GetRunning(AudioDeviceId device, uint32_t* running)
{
    WaitIfHeld();
    std::lock_guard<std::mutex> lock(m_lock);
    const Device* d = FindLocked(device);
    if (!d || !running)
        return d ? kAudioError : kAudioBadDevice;
    *running = d->running;
    return 0;
}

int SimAudioHardware::AddDeviceListener(AudioDeviceId device, AudioDeviceProperty property,
                                        DeviceListener onChange, AudioListenerId* id)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!id || !onChange)
        return kAudioError;
    if (m_passListenerAdds > 0) {
        --m_passListenerAdds;
    } else if (m_failListenerAdds > 0) {
        --m_failListenerAdds;
        return kAudioError;
    }
    if (!FindLocked(device))
        return kAudioBadDevice;
    *id = m_nextListenerId++;
    m_listeners[*id] = Listener{false, device, property, nullptr, std::move(onChange)};
    return 0;
}

void SimAudioHardware::RemoveListener(AudioListenerId id)
{
    std::unique_lock<std::mutex> lock(m_lock);
    m_listeners.erase(id);
    // A call in flight on another thread ends on its own: listeners never wait for their remover.
    // A call on this thread is the remover's own caller and must not be waited for.
    const std::thread::id self = std::this_thread::get_id();
    m_changed.wait(lock, [&] {
        return std::none_of(m_calls.begin(), m_calls.end(),
                            [&](const Call& c) { return c.id == id && c.thread != self; });
    });
}

// --- internals ---

SimAudioHardware::Device* SimAudioHardware::FindLocked(AudioDeviceId device)
{
    if (device == 0)
        return nullptr;
    if (device == m_unit.id)
        return &m_unit;
    for (Device& d : m_devices)
        if (d.id == device)
            return &d;
    return nullptr;
}

bool SimAudioHardware::RateValidLocked(const Device& device, double hz) const
{
    if (!device.unit)
        return Contains(kLowRates, hz);
    if (m_dspMode == 2)
        return Contains(kLowRates, hz);
    if (m_dspMode == 3)
        return Contains(kHighRates, hz);
    return false;
}

void SimAudioHardware::Publish(const std::vector<Event>& events)
{
    if (events.empty())
        return;
    if (m_delivery == Delivery::Synchronous) {
        for (const Event& e : events)
            Dispatch(e);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_queue.insert(m_queue.end(), events.begin(), events.end());
    }
    m_changed.notify_all();
}

void SimAudioHardware::Dispatch(const Event& event)
{
    std::vector<AudioListenerId> ids;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const auto& entry : m_listeners) {
            const Listener& l = entry.second;
            if (event.deviceList ? l.deviceList
                                 : !l.deviceList && l.device == event.device && l.property == event.property)
                ids.push_back(entry.first);
        }
    }
    const std::thread::id self = std::this_thread::get_id();
    for (AudioListenerId id : ids) {
        std::function<void()> onList;
        DeviceListener onDevice;
        {
            // A listener removed since the snapshot is not called.
            std::lock_guard<std::mutex> lock(m_lock);
            auto it = m_listeners.find(id);
            if (it == m_listeners.end())
                continue;
            onList = it->second.onList;
            onDevice = it->second.onDevice;
            m_calls.push_back({id, self});
        }
        if (onList)
            onList();
        else
            onDevice(event.device, event.property);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            auto call = std::find_if(m_calls.begin(), m_calls.end(),
                                     [&](const Call& c) { return c.id == id && c.thread == self; });
            m_calls.erase(call);
        }
        m_changed.notify_all();
    }
}

void SimAudioHardware::DeliveryLoop()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop)
            return;
        const Event event = m_queue.front();
        m_queue.pop_front();
        m_delivering = true;
        lock.unlock();
        Dispatch(event);
        lock.lock();
        m_delivering = false;
        m_changed.notify_all();
    }
}

void SimAudioHardware::WaitIfHeld()
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (!m_holdReads)
        return;
    ++m_heldReads;
    m_changed.notify_all();
    m_changed.wait_for(lock, std::chrono::seconds(60), [this] { return !m_holdReads; });
    --m_heldReads;
}
