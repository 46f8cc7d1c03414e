#include "CtrlPanel/effects/MixEngine.h"

#include "PAL/Parameter.h"
#include "PAL/ParameterSet.h"

#include <algorithm>
#include <cmath>

namespace {

// Main-set parameter indices the engine reads.
constexpr int kOutputLevel = 0;  // 0..4; index 4 is "Reverb Level for Mix 1&2"
// Output pair 9&10 takes its level from "Reverb Level for Mix 1&2": the output levels are read as
// indices 0..4 and the set has only four "Output Level" parameters. Kept as the unit expects it.
constexpr int kOutput910LevelParameter = 4;
constexpr int kReverbLevel = 4;
constexpr int kCrossfade = 9;
constexpr int kBalance = 14;
constexpr int kPlaybackFader = 19;
constexpr int kStereoSwitch = 24;
constexpr int kMute = 25;
constexpr int kSolo = 30;
constexpr int kReverbEnable = 35;
constexpr int kProcessed = 40;
constexpr int kCustomInputEnable = 45;
constexpr int kCustomPlaybackEnable = 50;
constexpr int kHardwareLevel = 55;
constexpr int kDim = 59;
constexpr int kSpdifInput = 60;
constexpr int kCustomPlayback = 69;
constexpr int kCustomInputMix = 104;
constexpr int kStereoProcessed = 157;

constexpr uint32_t kItemOutputFirst = 55;
constexpr uint32_t kItemHardwareLevel = 61;
constexpr uint32_t kItemSpdifInput = 62;
constexpr uint32_t kItemMonoInput = 63;
constexpr uint32_t kSpdifOn = 5;

constexpr uint32_t kBitDim = 1u << 24;
constexpr uint32_t kBitMute = 1u << 25;
constexpr uint32_t kBitZeroAttenuation = 1u << 26;
constexpr uint32_t kBitHardwareLevel = 1u << 27;

constexpr float kFullScale = 32767.0f;
constexpr float kHighRate = 176400.0f;
constexpr uint32_t kPairsPerWrite = 20;

// Pair 9&10 sits at position 0 of the device's matrices, pairs 1&2 .. 7&8 at 1 .. 4.
constexpr int T[5] = {1, 2, 3, 4, 0};
constexpr int U[6] = {0, 3, 1, 4, 2, 5};

float Min1(float x) { return x < 1.0f ? x : 1.0f; }
bool TruncNonZero(float x) { return int(x) != 0; }

}  // namespace

MixEngine::MixEngine(ItemAccess& items) : m_items(items)
{
    m_pending.reserve(kPairs * kPairs + kPairs * kInputColumns + kPairs);
}
MixEngine::~MixEngine() = default;

uint32_t MixEngine::PlaybackItem(bool stereo, int mix, int pair)
{
    return (stereo ? 0 : 30) + 5 * T[pair] + T[mix];
}

uint32_t MixEngine::MonoInputItem(int mix, int column) { return 5 * U[column] + T[mix]; }

uint32_t MixEngine::StereoInputItem(int mix, int column) { return 25 + 5 * column + T[mix]; }

float MixEngine::P(int index) const
{
    ParameterSet* set = m_set;
    float v = set ? set->GetParameter(index) : 0.0f;
    if (!(v > 0.0f))  // NaN too
        return 0.0f;
    return v < 1.0f ? v : 1.0f;
}

bool MixEngine::StereoFromParameters() const { return TruncNonZero(P(kStereoSwitch)); }

bool MixEngine::IsStereoInput() const { return m_set && StereoFromParameters(); }

void MixEngine::SetParameterSet(ParameterSet* set)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_set = set;
    m_computed = false;
}

void MixEngine::SetSampleRate(float rate)
{
    m_sampleRate = rate;
    Recalc();
}

void MixEngine::SetSpdifInput(bool on)
{
    m_items.SetValue({kItemSpdifInput, on ? kSpdifOn : 0u});
}

void MixEngine::Recalc()
{
    if (!m_set)
        return;
    // The item writes pause the polling thread, so they happen before the lock is taken.
    const bool stereo = StereoFromParameters();
    if (m_sampleRate < kHighRate)
        m_items.SetValue({kItemMonoInput, stereo ? 0u : 1u});
    m_items.SetValue({kItemSpdifInput, P(kSpdifInput) > 0 ? kSpdifOn : 0u});

    std::lock_guard<std::mutex> lock(m_lock);
    if (m_sampleRate < kHighRate)
        m_stereo = stereo ? 1 : 0;
    ResetSentCopies();
    ComputeAll();
}

void MixEngine::ResetSentCopies()
{
    for (int r = 0; r < kPairs; ++r) {
        for (int k = 0; k < kPairs; ++k) {
            m_playback[r][k] = 0;
            m_playbackSent[r][k] = -1.0f;
        }
        for (int c = 0; c < kInputColumns; ++c) {
            m_input[r][c] = 0;
            m_inputSent[r][c] = -1.0f;
        }
        m_outputWords[r] = 0;
        m_outputSent[r] = 0xFFFFFFFF;
    }
}

void MixEngine::ComputeAll()
{
    // Taken before the values are read: a store that lands meanwhile is computed next cycle.
    m_computedAt = Parameter::StoreCount();
    m_computed = true;
    m_mayDiffer = true;
    if (m_sampleRate < kHighRate) {
        if (m_stereo)
            ComputeStereoInputMix();
        else
            ComputeMonoInputMix();
    }
    ComputeOutputFlags();
}

void MixEngine::ComputeMixGains()
{
    if (!m_set)
        return;
    for (int r = 0; r < kPairs; ++r) {
        const float a = Min1(2 * P(kCrossfade + r));
        const bool custom = P(kCustomPlaybackEnable + r) != 0;
        for (int k = 0; k < kPairs; ++k) {
            const float fader = custom ? P(kCustomPlayback + 5 * r + k) : P(kPlaybackFader + k);
            m_playback[r][k] = a * fader * fader * kFullScale;
        }
    }
}

void MixEngine::InputSide(int mix, float* b, float* rev) const
{
    *b = Min1(2 * (1 - P(kCrossfade + mix)));
    *rev = TruncNonZero(P(kReverbEnable + mix)) ? P(kReverbLevel + mix) : 0.0f;
}

void MixEngine::ComputeMonoInputMix()
{
    if (!m_set)
        return;
    ComputeMixGains();
    for (int r = 0; r < kPairs; ++r) {
        float b, rev;
        InputSide(r, &b, &rev);
        float* g = m_input[r];
        if (TruncNonZero(P(kCustomInputEnable + r))) {
            float q[8];
            for (int j = 0; j < 8; ++j)
                q[j] = P(kCustomInputMix + 8 * r + j);
            for (int j = 0; j < 4; ++j)
                q[j] *= q[j];
            if (q[6] == 0)
                q[4] = 0;
            if (q[7] == 0)
                q[5] = 0;
            const float gains[6] = {q[0], q[1], q[2], q[3], q[0] * q[4], q[1] * q[5]};
            for (int c = 0; c < 6; ++c)
                g[c] = gains[c] * b * kFullScale;
        } else {
            const float bal = P(kBalance + r);
            const float g1 = Min1(2 * (1 - bal));
            const float g2 = Min1(2 * bal);
            if (TruncNonZero(P(kProcessed + r))) {
                const float gains[6] = {0, 0, g1 * b, g2 * b, 0, 0};
                for (int c = 0; c < 6; ++c)
                    g[c] = gains[c] * kFullScale;
            } else {
                const float gains[6] = {g1 * b, g2 * b, 0, 0, g1 * b * rev, g2 * b * rev};
                for (int c = 0; c < 6; ++c)
                    g[c] = gains[c] * kFullScale;
            }
        }
    }
}

void MixEngine::ComputeStereoInputMix()
{
    if (!m_set)
        return;
    ComputeMixGains();
    for (int r = 0; r < kPairs; ++r) {
        float b, rev;
        InputSide(r, &b, &rev);
        const float x = P(kStereoProcessed + r);
        const float h1 = Min1(2 * (1 - x));
        const float h2 = Min1(2 * x);
        m_input[r][0] = h1 * b * kFullScale;
        m_input[r][1] = h2 * b * kFullScale;
        m_input[r][2] = h1 * rev * b * kFullScale;
    }
}

void MixEngine::ComputeOutputFlags()
{
    if (!m_set)
        return;
    m_hardwareLevelMask = 0;
    m_dimTaken = P(kDim);
    m_muteTaken = P(kMute);
    uint32_t muteMask = 0, soloMask = 0;
    for (int i = 0; i < kPairs; ++i) {
        if ((i == 0 ? m_muteTaken : P(kMute + i)) != 0)
            muteMask |= 1u << i;
        if (P(kSolo + i) != 0)
            soloMask |= 1u << i;
        if (i < 4 && P(kHardwareLevel + i) != 0)
            m_hardwareLevelMask |= 1u << i;
    }
    for (int i = 0; i < kPairs; ++i) {
        const float level = P(i == 4 ? kOutput910LevelParameter : kOutputLevel + i);
        uint32_t word = uint32_t(255 - int(255.0f * std::pow(level, 0.125f))) & 0xFF;
        if (muteMask & (1u << i))
            word |= kBitMute | kBitZeroAttenuation;
        if (i == 0 && m_dimTaken > 0.5f)
            word |= kBitDim;
        if (m_hardwareLevelMask & (1u << i))
            word |= kBitZeroAttenuation | kBitHardwareLevel;
        if (soloMask && !(soloMask & (1u << i)) && !(word & kBitMute))
            word = (word & ~(0xFFu | kBitZeroAttenuation | kBitHardwareLevel)) | 0xFF;
        if (word & kBitZeroAttenuation)
            word &= ~0xFFu;
        m_outputWords[i] = word;
    }
}

void MixEngine::BuildPairs()
{
    m_pending.clear();
    if (m_sampleRate < kHighRate) {
        for (int r = 0; r < kPairs; ++r)
            for (int k = 0; k < kPairs; ++k)
                if (m_playback[r][k] != m_playbackSent[r][k])
                    m_pending.push_back({PlaybackItem(m_stereo, r, k), uint32_t(int32_t(m_playback[r][k])) & 0xFFFF,
                                         &m_playbackSent[r][k], m_playback[r][k], nullptr, 0});
        const int columns = m_stereo ? 3 : 6;
        for (int r = 0; r < kPairs; ++r)
            for (int c = 0; c < columns; ++c)
                if (m_input[r][c] != m_inputSent[r][c])
                    m_pending.push_back({m_stereo ? StereoInputItem(r, c) : MonoInputItem(r, c),
                                         uint32_t(int32_t(m_input[r][c])) & 0xFFFF, &m_inputSent[r][c], m_input[r][c],
                                         nullptr, 0});
    }
    for (int i = 0; i < kPairs; ++i)
        if (m_outputWords[i] != m_outputSent[i])
            m_pending.push_back({kItemOutputFirst + i, m_outputWords[i], nullptr, 0, &m_outputSent[i], m_outputWords[i]});
}

void MixEngine::SendPairs()
{
    ItemValue batch[kPairsPerWrite];
    for (size_t first = 0; first < m_pending.size(); first += kPairsPerWrite) {
        const size_t count = std::min<size_t>(m_pending.size() - first, kPairsPerWrite);
        for (size_t i = 0; i < count; ++i)
            batch[i] = {m_pending[first + i].item, m_pending[first + i].value};
        if (m_items.SetValuesDirect(batch, uint32_t(count)) != 0) {
            m_pending.clear();
            return;  // refused or failed: the rest waits for a later cycle as well
        }
        for (size_t i = first; i < first + count; ++i) {
            const PendingPair& p = m_pending[i];
            if (p.sentGain)
                *p.sentGain = p.gain;
            else
                *p.sentWord = p.word;
        }
    }
    m_pending.clear();
    m_mayDiffer = false;
}

void MixEngine::Refresh()
{
    std::lock_guard<std::mutex> lock(m_lock);
    ParameterSet* set = m_set;
    if (!set)
        return;
    if (!m_computed || Parameter::StoreCount() != m_computedAt)
        ComputeAll();
    m_writeBackEnable = true;

    ItemValue knob = {kItemHardwareLevel, 0};
    // The knob's level goes only to outputs whose switch was on when the words were computed, and
    // only while no parameter has been stored since: a switch turned off meanwhile, with a level set
    // after it, must not be overwritten by the knob. The next cycle computes anew and reads again.
    if (m_items.GetValue(&knob) == 0 && Parameter::StoreCount() == m_computedAt) {
        const float level = float(knob.value & 0x1FFF) / 8191.0f;
        for (int i = 0; i < 4; ++i)
            if ((m_hardwareLevelMask & (1u << i)) && P(kOutputLevel + i) != level)
                set->SetParameterFromWorker(kOutputLevel + i, level);
    }

    if (m_mayDiffer) {
        BuildPairs();
        SendPairs();
    }
    ReadBack();
}

void MixEngine::ReadBack()
{
    ParameterSet* set = m_set;
    ItemValue buttons = {kItemOutputFirst, 0};
    if (m_items.GetValue(&buttons) != 0)
        return;
    // The device's buttons win over the word computed this cycle, unless the user changed the
    // parameter meanwhile: then the click stands and goes out next cycle.
    struct Button {
        uint32_t bit;
        int parameter;
        float taken;
    };
    const Button list[2] = {{kBitDim, kDim, m_dimTaken}, {kBitMute, kMute, m_muteTaken}};
    for (const Button& b : list) {
        const bool device = (buttons.value & b.bit) != 0;
        if ((b.taken > 0.5f) == device)
            continue;
        m_outputWords[0] = (m_outputWords[0] & ~b.bit) | (device ? b.bit : 0);
        m_outputSent[0] = (m_outputSent[0] & ~b.bit) | (device ? b.bit : 0);
        // The next cycle computes the word from the parameters again, whether or not one is stored.
        m_computed = false;
        if (m_writeBackEnable && P(b.parameter) == b.taken)
            set->SetParameterFromWorker(b.parameter, device ? 1.0f : 0.0f);
    }
}
