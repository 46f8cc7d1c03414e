#pragma once
// Turns the main parameter set into the device's mixer items: a 5 x 5 playback gain matrix, the input
// gains (6 columns with mono inputs, 3 with a stereo pair) and five output control words. Once per
// polling cycle, Refresh sends only what changed since it was last sent, and reads the hardware level
// knob and the dim and mute buttons of output 1&2 back into the parameters.
//
// Threads: Refresh runs on the polling thread; the rest on the GUI thread. Refresh, Recalc and
// SetParameterSet hold the engine's lock. Parameter values are read as plain atomic floats; the
// read-back stores values through the worker hand-over, so observers run on the GUI thread. A cycle
// in which no parameter was stored computes nothing: it only compares and reads back.
//
// The HAL owns the engine and runs it in its polling cycle, so the engine is built into the HAL's
// library (velbrin_hal), not velbrin_effects, although its source lives with the effects.

#include "CtrlPanel/device/CycleClient.h"
#include "CtrlPanel/device/ItemAccess.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class ParameterSet;

class MixEngine : public CycleClient {
public:
    static constexpr int kPairs = 5;
    static constexpr int kInputColumns = 6;

    // Items are read and written through the HAL's items, which outlive the engine.
    explicit MixEngine(ItemAccess& items);
    virtual ~MixEngine();

    void SetParameterSet(ParameterSet* set);
    void SetSampleRate(float rate);
    // Resets the matrices and sent copies so the next cycle sends everything; writes items 63 and 62.
    void Recalc();
    // One polling cycle.
    void Refresh() override;
    bool IsStereoInput() const;
    void SetSpdifInput(bool on);

    // The application clears it when the user changes dim (59) or mute (25), holding back the
    // read-back for the cycle in flight; Refresh sets it again.
    void SetWriteBackEnable(bool enable) { m_writeBackEnable = enable; }

    // --- read-only views for tests and benchmarks ---
    float PlaybackGain(int mix, int pair) const { return m_playback[mix][pair]; }
    float InputGain(int mix, int column) const { return m_input[mix][column]; }
    uint32_t OutputWord(int output) const { return m_outputWords[output]; }
    bool IsWriteBackEnabled() const { return m_writeBackEnable; }

    // Device items of the mixer.
    static uint32_t PlaybackItem(bool stereo, int mix, int pair);
    static uint32_t MonoInputItem(int mix, int column);
    static uint32_t StereoInputItem(int mix, int column);

private:
    // p(n): the normalised value clamped to [0, 1], NaN as 0.
    float P(int index) const;
    bool StereoFromParameters() const;
    // The input side of mix r's crossfade, and its reverb send level (0 when the send is off).
    void InputSide(int mix, float* b, float* rev) const;
    void ComputeMixGains();
    void ComputeMonoInputMix();
    void ComputeStereoInputMix();
    void ComputeOutputFlags();
    void ComputeAll();
    void ResetSentCopies();
    // Queues every value that differs from its sent copy.
    void BuildPairs();
    // Sends the queue in batches; a value's sent copy takes it only once its batch was written, so
    // what the HAL refused (paused thread, failed transfer) goes out in a later cycle.
    void SendPairs();
    void ReadBack();

    ItemAccess& m_items;
    int m_stereo = 0;
    float m_sampleRate = 0;
    float m_playback[kPairs][kPairs] = {};
    float m_playbackSent[kPairs][kPairs] = {};
    float m_input[kPairs][kInputColumns] = {};
    float m_inputSent[kPairs][kInputColumns] = {};
    uint32_t m_outputWords[kPairs] = {};
    uint32_t m_outputSent[kPairs] = {};
    std::atomic<bool> m_writeBackEnable{true};
    uint32_t m_hardwareLevelMask = 0;
    // Dim (59) and mute (25) as the output words were computed from them.
    float m_dimTaken = 0;
    float m_muteTaken = 0;
    // The gains and words follow the parameters as they were at Parameter::StoreCount m_computedAt;
    // while no parameter is stored, a cycle computes nothing anew. False forces the next computation.
    bool m_computed = false;
    uint64_t m_computedAt = 0;
    // A value may differ from its sent copy: set by every computation, cleared once a send went out
    // whole. While clear, a cycle queues nothing.
    bool m_mayDiffer = false;
    struct PendingPair {
        uint32_t item;
        uint32_t value;
        float* sentGain;  // the gain's sent copy and the gain, or null for an output word
        float gain;
        uint32_t* sentWord;
        uint32_t word;
    };
    std::vector<PendingPair> m_pending;
    std::atomic<ParameterSet*> m_set{nullptr};
    std::mutex m_lock;
};
