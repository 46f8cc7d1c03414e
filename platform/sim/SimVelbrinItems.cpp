// The behaviour of the simulated unit's own items: DSP mode and boot, date code and versions, clock
// status, external clock, flash store, meters and the front panel.
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimMixer.h"
#include "platform/sim/SimVelbrin.h"

#include "platform/Clock.h"

#include <cmath>

namespace {

constexpr uint32_t kItemDim = 55;
constexpr uint32_t kItemLevelKnob = 61;
constexpr uint32_t kItemOutputLeft = 64;
constexpr uint32_t kItemInput1 = 65;
constexpr uint32_t kItemOutputRight = 66;
constexpr uint32_t kItemInput2 = 67;
constexpr uint32_t kItemDspMode = 78;
constexpr uint32_t kItemClockStatus = 79;
constexpr uint32_t kItemDspBooted = 80;
constexpr uint32_t kItemStoreToFlash = 82;
constexpr uint32_t kItemExternalClock = 114;
constexpr uint32_t kItemDateDayMonth = 256;
constexpr uint32_t kItemDateYear = 257;
constexpr uint32_t kItemDspVersion = 1022;
constexpr uint32_t kItemDspInfo = 1023;

constexpr uint32_t kPanelBits = 3u << 24;  // dim and mute of output 1&2 in item 55
constexpr uint32_t kRoutingWord = 0x06000000;
constexpr uint32_t kKnobMask = 0x1FFF;
constexpr double kFull131 = 2147483647.0;
// Seeds of the demo swell of the playback pairs, apart from every meter item.
constexpr uint32_t kPlaybackSeed = 2000;

uint32_t SpdifRate(uint32_t status)
{
    if ((status & 3) != 3)
        return 0;
    switch ((status >> 8) & 0xFF) {
    case 0: return 44100;
    case 1: return 48000;
    case 3: return 88200;
    case 4: return 96000;
    case 5: return 176400;
    case 6: return 192000;
    default: return 0;
    }
}

bool IsMeterItem(uint32_t item)
{
    return (item >= 64 && item <= 67) || item == 503 || item == 504 || (item >= 788 && item <= 793) ||
           (item >= 518 && item <= 521) || item == 1036 || item == 1037;
}

}  // namespace

double SimVelbrin::DemoLevelLocked(uint32_t seed) const
{
    // A slow, different swell for every seed, so a person sees the bars breathe.
    const double t = double(GetClock().NowMs()) / 1000.0;
    const double phase = seed * 0.7;
    const double level = 0.45 + 0.35 * std::sin(t * (1.3 + 0.11 * (seed % 7)) + phase) * std::sin(t * 0.37 + phase);
    return std::fmin(std::fmax(level, 0.0), 1.0);
}

uint32_t SimVelbrin::DemoMeterLocked(uint32_t item) const
{
    double level = DemoLevelLocked(item);
    if (item == 789 || item == 792) {  // compressor gain: 1 is no reduction
        const double t = double(GetClock().NowMs()) / 1000.0;
        level = 0.85 + 0.15 * std::sin(t * 0.9 + item * 0.7);
    }
    if (item >= 64 && item <= 67)
        return uint32_t(level * kFull131);
    return uint32_t(level * 65535.0);
}

double SimVelbrin::InputLocked(int input)
{
    const uint32_t item = input == 0 ? kItemInput1 : kItemInput2;
    if (m_demoMeters)
        return DemoLevelLocked(item);
    return std::fmin(double(m_items[item]) / kFull131, 1.0);
}

double SimVelbrin::PlaybackLocked(int pair) const
{
    return m_demoMeters ? DemoLevelLocked(kPlaybackSeed + uint32_t(pair)) : double(m_playbackLevels[pair]);
}

uint32_t SimVelbrin::OutputMeterLocked(uint32_t item)
{
    const double inputs[2] = {InputLocked(0), InputLocked(1)};
    double playback[5];
    for (int k = 0; k < 5; ++k)
        playback[k] = PlaybackLocked(k);
    const double knob = double(m_items[kItemLevelKnob] & kKnobMask) / double(kKnobMask);
    double out[2];
    SimMixer::OutputLevels(
        0, [this](uint32_t i) { auto it = m_items.find(i); return it == m_items.end() ? 0u : it->second; }, inputs,
        playback, knob, out);
    return uint32_t(out[item == kItemOutputLeft ? 0 : 1] * kFull131);
}

bool SimVelbrin::BootedLocked() const
{
    return !m_dspNeverBoots && (m_bootCompleted || GetClock().NowMs() >= m_poweredAtMs + m_dspBootMs);
}

void SimVelbrin::CompleteBoot()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_bootCompleted = true;
    }
    Advance();
}

uint32_t SimVelbrin::ReadItemLocked(uint32_t item)
{
    switch (item) {
    case kItemDspMode: return uint32_t(m_dspMode);
    case kItemDspBooted: return BootedLocked() ? 1 : 0;
    case kItemClockStatus: return m_spdifStatus;
    case kItemDateDayMonth:
    case kItemDateYear:
        if (m_dateSettleMs != 0 && !m_bootCompleted &&
            GetClock().NowMs() < m_poweredAtMs + m_dspBootMs + m_dateSettleMs)
            return item == kItemDateYear ? m_earlyYear : m_earlyDayMonth;
        break;
    case kItemOutputLeft:
    case kItemOutputRight: return OutputMeterLocked(item);
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
        m_flashBusyUntilMs = GetClock().NowMs() + m_flashBusyMs;
        return;
    case kItemDim:
        if (value == kRoutingWord) {
            m_items[item] = (value & ~kPanelBits) | (m_items[item] & kPanelBits);
            return;
        }
        break;
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

void SimVelbrin::SetEarlyDateCode(uint32_t year, uint32_t month, uint32_t day, uint32_t settleMs)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_earlyDayMonth = (month & 0xFF) << 8 | (day & 0xFF);
    m_earlyYear = year;
    m_dateSettleMs = settleMs;
}

void SimVelbrin::SetDspVersion(uint32_t version, uint32_t infoHigh, uint32_t infoLow)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[kItemDspVersion] = version;
    m_items[kItemDspInfo] = (infoHigh & 0xFF) << 8 | (infoLow & 0xFF);
}

void SimVelbrin::SetSpdifInput(bool present, bool locked, uint32_t rateCode)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_spdifStatus = (locked ? 1u : 0u) | (present ? 2u : 0u) | (rateCode & 0xFF) << 8;
    }
    NotifyState();  // the audio device follows an external clock
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
        const uint32_t knob = m_items[kItemLevelKnob];  // where the hand left it
        m_items = m_flash;
        m_items[kItemLevelKnob] = knob;
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

void SimVelbrin::SetInputLevel(int input, float level)
{
    level = std::fmin(std::fmax(level, 0.0f), 1.0f);
    std::lock_guard<std::mutex> lock(m_lock);
    m_items[input == 0 ? kItemInput1 : kItemInput2] = uint32_t(double(level) * kFull131);
}

void SimVelbrin::SetPlaybackLevel(int pair, float level)
{
    if (pair < 0 || pair >= 5)
        return;
    std::lock_guard<std::mutex> lock(m_lock);
    m_playbackLevels[pair] = std::fmin(std::fmax(level, 0.0f), 1.0f);
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
    state.spdifRate = SpdifRate(m_spdifStatus);
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
            m_bootCompleted = false;
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

bool SimVelbrin::AwaitsChange() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_onBus && !m_bootReported && !m_dspNeverBoots;
}
