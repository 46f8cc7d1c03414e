#pragma once
// The EQ's simple-mode models: the built-in "MISSING CSV" followed by the presets of the text
// "VelbrinEQPresets.csv".
//
// Text format: presets of exactly nine lines; a line ends at '\n', '\r' or the end of the text, and a line
// of fewer than 4 characters is skipped. Fields are separated by commas, neither quoted nor trimmed; the
// first is a label, the next four are the bands LF, LowMid, Mid, HF (further fields are ignored). Lines
// keep their first 255 characters; names and captions their first 31, in upper case.
//   1 name   2 type ("Filter", "Shelf", else bell; LF and HF only)   3 frequency (Hz)   4 gain (dB)   5 Q
//   6 caption   7 control target ("Gain", "Q", else frequency)   8 control minimum   9 control maximum
// Numbers read like "%f" (0 when a field does not start with a number); keywords compare exactly. A
// preset that is incomplete when the text ends is dropped.
//
// Presets are plain data. Applying one drives an EQ panel's parameters (plain values, through the panel's
// reactions) and moves their defaults; the panel sets the type switches and captions itself
// (EqPanel). GUI thread only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PageController;

// One band of a preset. The parameter indices are those of the EQ panel's parameter set.
struct EqPresetBand {
    int32_t controlTarget;  // moved by the band's Control knob: 0 frequency, 1 gain, 2 Q
    int32_t freqParam;
    int32_t gainParam;
    int32_t qParam;
    int32_t controlParam;
    float freq;  // Hz
    float gain;  // dB
    float q;
    // The parameters' defaults saved when the preset is first applied; 0: not yet saved.
    float savedFreqDefault;
    float savedGainDefault;
    float savedQDefault;
    float controlMin;
    float controlMax;
};

struct EqPreset {
    int32_t lowType;   // 0 bell, 2 shelf, 4 high-pass
    int32_t highType;  // 0 bell, 1 shelf, 3 low-pass
    EqPresetBand bands[4];  // LF, LowMid, Mid, HF
    char name[32];
    char captions[4][32];  // LF first
};

class EqPresetList {
public:
    // text may be null (length 0).
    EqPresetList(const char* text, size_t length);

    // At least 1: entry 0 is "MISSING CSV".
    size_t Count() const { return m_presets.size(); }
    // k must lie below Count(). Entries are not const: applying a preset saves defaults in it.
    EqPreset* Get(size_t k) const;

    // On an EQ panel (parameters as in EqParamDescriptors.h). Each change is refreshed through the
    // panel without telling the listener, so the panel's reactions run.
    // Band by band: saves the three band parameters' defaults once (while savedFreqDefault is 0),
    // makes the preset's frequency, gain and Q their defaults and values, then sets the Control knob
    // to 0.5, which moves the target to the middle of the Control range.
    static void ApplyBands(EqPreset& preset, PageController& panel);
    // Each band's three defaults become the saved ones (restore; left as they are when never saved)
    // or the preset's values. The parameters' values do not change.
    static void ApplyDefaults(const EqPreset& preset, PageController& panel, bool restore);
    // k = 1..4 drives band k - 1 (LF .. HF); other k do nothing. The band's target parameter becomes
    // controlMin + (controlMax - controlMin) x position; position is the Control knob's normalised
    // value, 0..1.
    static void ApplyControl(const EqPreset& preset, PageController& panel, int32_t k, float position);

private:
    std::vector<std::unique_ptr<EqPreset>> m_presets;
};
