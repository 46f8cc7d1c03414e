// The behaviour of the simulated unit's own items: DSP mode and boot, date code and versions, clock
// status, external clock, flash store, meters and the front panel.
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimVelbrin.h"

#include "platform/Clock.h"

#include <cmath>

namespace {

constexpr uint32_t kItemDim = 55;
constexpr uint32_t kItemLevelKnob = 61;
constexpr uint32_t kItemDspMode = 78;
constexpr uint32_t kItemClockStatus = 79;
constexpr uint32_t kItemDspBooted = 80;
constexpr uint32_t kItemStoreToFlash = 82;
constexpr uint32_t kItemExternalClock = 114;
constexpr uint32_t kItemDateDayMonth = 256;
constexpr uint32_t kItemDateYear = 257;
constexpr uint32_t kItemDspVersion = 1022;
constexpr uint32_t kItemDspInfo = 1023;

bool IsMeterItem(uint32_t item)
{
    return (item >= 64 && item <= 67) || item == 503 || item == 504 || (item >= 788 && item <= 793) ||
           (item >= 518 && item <= 521) || item == 1036 || item == 1037;
}

}  // namespace

uint32_t SimVelbrin::DemoMeterLocked(uint32_t item) const
{
    // A slow, different swell on every meter, so a person sees the bars breathe.
    const double t = double(GetClock().NowMs()) / 1000.0;
    const double phase = item * 0.7;
    double level = 0.45 + 0.35 * std::sin(t * (1.3 + 0.11 * (item % 7)) + phase) * std::sin(t * 0.37 + phase);
    if (item == 789 || item == 792)  // compressor gain: 1 is no reduction
        level = 0.85 + 0.15 * std::sin(t * 0.9 + phase);
    level = std::fmin(std::fmax(level, 0.0), 1.0);
    if (item >= 64 && item <= 67)
        return uint32_t(level * 2147483647.0);
    return uint32_t(level * 65535.0);
}

bool SimVelbrin::BootedLocked() const
{
    return !m_dspNeverBoots && GetClock().NowMs() >= m_poweredAtMs + m_dspBootMs;
}

uint32_t SimVelbrin::ReadItemLocked(uint32_t item)
{
    switch (item) {
    case kItemDspMode: return uint32_t(m_dspMode);
    case kItemDspBooted: return BootedLocked() ? 1 : 0;
    case kItemClockStatus: return m_spdifStatus;
    default: break;
    }
    if (m_demoMeters && IsMeterItem(item))
        return DemoMeterLocked(item);
    auto it = m_items.find(item);
    return it == m_items.end() ? 0 : it->second;
}

void SimVelbrin::WriteItemLocked(uint32_t item, uint32_t value)
{
    switch (item) {
    case kItemDspMode:
        if ((value == 2 || value == 3) && int(value) != m_dspMode) {
            m_dspMode = int(value);
            m_leaveBus = true;
            m_stateChanged = true;
        }
        return;
    case kItemDspBooted:
    case kItemClockStatus:
        return;  // read only
    case kItemStoreToFlash:
        m_flash = m_items;
        ++m_flashStores;
        return;
    case kItemExternalClock:
        if ((m_items[item] != 0) != (value != 0))
            m_stateChanged = true;
        break;
    default:
        break;
    }
    m_items[item] = value;
}

void SimVelbrin::AfterTransfer()
{
    bool leave, changed;
    SimFireWireBus* bus;
    uint32_t after;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        leave = m_leaveBus;
        changed = m_stateChanged;
        m_leaveBus = m_stateChanged = false;
        bus = m_bus;
        after = m_modeSwitchMs;
    }
    if (leave && bus)
        bus->Reenumerate(this, after);
    else if (changed)
        NotifyState();
}

int SimVelbrin::DspMode() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_dspMode;
}

void SimVelbrin::SetDspMode(int mode)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_dspMode = mode;
    }
    NotifyState();
}

void SimVelbrin::SetModeSwitchMs(uint32_t ms)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_modeSwitchMs = ms;
}

void SimVelbrin::SetDspBootMs(uint32_t ms)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_dspBootMs = ms;
}

void SimVelbrin::SetDspNeverBoots(bool never)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_dspNeverBoots = never;
}

bool SimVelbrin::IsDspBooted() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return BootedLocked();
}

void SimVelbrin::SetDateCode(uint32_t year, uint32_t month, uint32_t day)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemDateDayMonth] = (month & 0xFF) << 8 | (day & 0xFF);
    m_items[kItemDateYear] = year;
}

void SimVelbrin::SetDspVersion(uint32_t version, uint32_t infoHigh, uint32_t infoLow)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemDspVersion] = version;
    m_items[kItemDspInfo] = (infoHigh & 0xFF) << 8 | (infoLow & 0xFF);
}

void SimVelbrin::SetSpdifInput(bool present, bool locked, uint32_t rateCode)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_spdifStatus = (locked ? 1u : 0u) | (present ? 2u : 0u) | (rateCode & 0xFF) << 8;
}

bool SimVelbrin::IsExternalClock() const { return GetItem(kItemExternalClock) != 0; }

int SimVelbrin::FlashStores() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_flashStores;
}

void SimVelbrin::PowerCycle()
{
    SimFireWireBus* bus;
    bool onBus;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_items = m_flash;
        m_dspMode = 2;
        bus = m_bus;
        onBus = m_onBus;
    }
    SetDateCode(2006, 3, 15);
    SetDspVersion(4600, 1, 7);
    if (bus && onBus)
        bus->Plug(this);
}

void SimVelbrin::SetDemoMeters(bool on)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_demoMeters = on;
}

void SimVelbrin::PressDim()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemDim] ^= 1u << 24;
}

void SimVelbrin::PressMute()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemDim] ^= 1u << 25;
}

void SimVelbrin::TurnLevelKnob(float level)
{
    level = std::fmin(std::fmax(level, 0.0f), 1.0f);
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemLevelKnob] = (m_items[kItemLevelKnob] & ~0x1FFFu) | uint32_t(std::lround(level * 8191.0f));
}

void SimVelbrin::SetStateHook(std::function<void(const SimUnitState&)> hook)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stateHook = std::move(hook);
    }
    NotifyState();
}

SimUnitState SimVelbrin::State() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    SimUnitState state;
    state.onBus = m_onBus;
    state.dspBooted = m_onBus && BootedLocked();
    state.dspMode = m_dspMode;
    auto it = m_items.find(kItemExternalClock);
    state.externalClock = it != m_items.end() && it->second != 0;
    return state;
}

void SimVelbrin::NotifyState()
{
    std::function<void(const SimUnitState&)> hook;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        hook = m_stateHook;
    }
    if (hook)
        hook(State());
}

void SimVelbrin::AttachedTo(SimFireWireBus* bus, bool onBus)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_bus = bus;
        m_onBus = onBus;
        if (onBus) {
            m_poweredAtMs = GetClock().NowMs();
            m_bootReported = BootedLocked();
        }
    }
    NotifyState();
}

void SimVelbrin::Advance()
{
    bool report = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_onBus && !m_bootReported && BootedLocked())
            report = m_bootReported = true;
    }
    if (report)
        NotifyState();
}
