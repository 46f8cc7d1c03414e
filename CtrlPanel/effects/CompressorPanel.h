#pragma once
// The page controller of one input's compressor. Its eleven parameters (CompressorParamDescriptors.h)
// become eight DSP values in its writer block (WriterBlocks.h: time constants as one-pole coefficients,
// gains as linear factors / 8, the threshold / 64), which the polling thread sends. While
// "Simple/Advanced Mode" is above 0 the preset selector and "Amount" drive ratio, attack, release,
// threshold and makeup gain from the preset list. Every idle call feeds the window's three meters.
//
// Handlers run on every change of a parameter, whatever its source; without a writer they change the
// panel's state but write nothing. GUI thread only.

#include <cstdint>
#include <memory>

#include "PAL/ViewLib/PageController.h"

class CompPresetList;
struct CompPreset;
class LevelMeter;
class ParamWriter;

class CompressorPanel : public PageController {
public:
    // A panel on the compressor page with its presets loaded; writer is not owned. first: the
    // compressor of input 1 (meter group 2), else of input 2 (group 3).
    static std::unique_ptr<CompressorPanel> Create(ParamWriter* writer, bool first);

    CompressorPanel();
    ~CompressorPanel() override;

    // The "Enable" parameter of the panel for a main-window effect switch: 5 for kind 0, else -1.
    static int32_t GetEnableParameterIndex(int32_t kind);

    // Rebuilds the preset list from the archive's "VelbrinCompPresets.csv" (only "FLAT" without it)
    // and makes entry 0 the current preset.
    void LoadPresets();

    // The panel computes nothing on audio.
    void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                 float* const* outputs, int32_t outputStride) override;
    // The handler of one parameter.
    void ParameterChangedHook(int32_t index) override;
    // Runs the handler of every parameter at the listener's rate (rate itself is not used), keeping
    // the user's Amount, which is then refreshed with the listener told.
    void SetSampleRate(float rate) override;
    // The meter update: the levels of the compressor's meter group into the input, gain-reduction
    // and output meters, while the group is enabled.
    void Tick(DrawContext* context) override;

    // The entry "Simple Compressor Model" chose last (entry 0 before any choice).
    const CompPreset& GetCurrentPreset() const { return *m_current; }

private:
    void ChoosePreset();
    void SendValue(uint32_t dspIndex, float value);

    bool m_enabled = false;
    bool m_first = false;
    ParamWriter* m_writer = nullptr;
    std::unique_ptr<CompPresetList> m_presets;
    const CompPreset* m_current = nullptr;
    LevelMeter* m_inputMeter = nullptr;
    LevelMeter* m_reductionMeter = nullptr;
    LevelMeter* m_outputMeter = nullptr;
};
