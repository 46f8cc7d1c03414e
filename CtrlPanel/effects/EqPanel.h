#pragma once
// The EQ of one analog input: four bands (LF, LowMid, Mid, HF) designed on the host and written into
// the input's EQ writer block, an input gain, an output level, an enable switch and two level meters.
// The LF and HF bands take their type from three switches each. Advanced mode sets frequency, gain and
// Q with twelve knobs; simple mode picks a model (an EqPreset) and moves one value per band with four
// Control knobs within the model's range.
//
// Both inputs' panels write blocks with the same base item; their indices are disjoint
// (WriterBlocks.h). The page is the EQ layout table; the parameters are kEqParamDescriptors.
// GUI thread only: parameter changes, idle, rate changes.

#include <cstdint>
#include <memory>

#include "CtrlPanel/effects/EqBand.h"
#include "PAL/ViewLib/PageController.h"

struct EqPreset;
class EqPresetList;
class LevelMeter;
class ParamWriter;
class Static;
class flEQType;
class flTextKnob;

class EqPanel : public PageController {
public:
    enum Param : int32_t {
        kMode = 0,  // "Simple/Advanced Mode": above 0 is simple mode
        kModel = 1,
        kLfControl = 2,  // .. kHfControl = 5
        kEnable = 6,
        kInputGain = 7,
        kOutputLevel = 8,
        kLowFreq = 9,  // frequency, gain and Q of LF 9..11, LowMid 12..14, Mid 15..17, HF 18..20
        kLfShelf = 21,
        kLfParametric = 22,
        kHiPass = 23,
        kHfShelf = 24,
        kHfParametric = 25,
        kLowPass = 26,
    };
    enum Band : int32_t { kLf = 0, kLowMid = 1, kMid = 2, kHf = 3, kBandCount = 4 };

    // A panel with writer attached (not owned).
    static std::unique_ptr<EqPanel> Create(ParamWriter* writer, bool first);

    // Builds the set and page, reads the presets and designs every band from its parameters at the
    // set's rate; nothing is written until a writer is attached.
    EqPanel();
    ~EqPanel() override;

    // Empty: the unit processes the audio.
    void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                 float* const* outputs, int32_t outputStride) override;
    // The reaction to a change of parameter index (-1 counts as "Enable").
    void ParameterChangedHook(int32_t index) override;
    // Writes enable, input gain and output level again, then redesigns and writes every band.
    void SetSampleRate(float rate) override;
    // Per idle call: a glide step of each band, then the IN and OUT levels while the panel's meter
    // group is enabled.
    void Tick(DrawContext* context) override;
    // Stores both and gives each band its slot; writes nothing.
    virtual void AttachWriter(ParamWriter* writer, bool first);

    // The parameter the mixer's effect switch of kind is linked to: "Enable" for kind 0, else -1.
    static int32_t GetEnableParameterIndex(int32_t kind);

    // Rebuilds the preset list from "VelbrinEQPresets.csv"; the current preset is then none.
    void LoadPresets();
    // Select a type switch by the preset type code: LF 2 shelf, 4 high-pass, else parametric; HF 1
    // shelf, 3 low-pass, else parametric. The switch becomes on and its default, the others' defaults
    // 0, and its reaction runs.
    void SelectLowType(int32_t code);
    void SelectHighType(int32_t code);
    // Shows text in the caption label over band (0..3).
    void SetBandCaption(int32_t band, const char* text);
    // After the panel or a preset changed a parameter: the page and the observers, not the listener.
    void RefreshParameter(int32_t index);
    using PageController::RefreshParameter;

    ParamWriter* GetWriter() const { return m_writer; }
    const EqBand& GetBand(int32_t band) const { return m_bands[band]; }
    const EqPresetList* GetPresets() const { return m_presets.get(); }
    const EqPreset* GetCurrentPreset() const { return m_currentPreset; }

private:
    // The reaction of type switch param (21..26).
    void OnTypeSwitch(int32_t param);
    void SelectType(int32_t selected, int32_t band);
    // "RES" on the band's Q knob while the LF band is a high-pass or the HF band a low-pass, else "Q".
    void UpdateQCaption(int32_t band);
    void WriteGain(uint32_t index, int32_t param);
    bool SimpleMode() const;
    // Simple mode: the HF then the LF type switch, the four captions, then the bands' values.
    void ApplyPreset(EqPreset& preset);
    // The four band captions only (a model chosen in advanced mode).
    void ApplyPresetCaptions(const EqPreset& preset);

    bool m_first = true;
    EqBand m_bands[kBandCount];
    // The entry the model selector points at (the list always holds one).
    EqPreset* ChosenPreset() const;

    std::unique_ptr<EqPresetList> m_presets;
    EqPreset* m_currentPreset = nullptr;  // an entry of m_presets
    ParamWriter* m_writer = nullptr;

    // The controls the panel addresses, each null when its record is not of the expected class.
    flTextKnob* m_gainKnobs[2] = {};  // LF, HF
    flTextKnob* m_qKnobs[2] = {};
    flEQType* m_symbols[2] = {};
    Static* m_captions[kBandCount] = {};
    LevelMeter* m_inMeter = nullptr;
    LevelMeter* m_outMeter = nullptr;
};
