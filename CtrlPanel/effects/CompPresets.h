#pragma once
// The compressor's simple-mode presets: the built-in "FLAT" followed by the presets of the text
// "VelbrinCompPresets.csv".
//
// Text format: presets of exactly six lines, fields separated by commas, numbers read like "%f" (a field
// that is not a number reads as 0). Lines end at '\n' or '\r'; a line of at most one character is skipped
// (the end of the text ends a last line of one character or more). Lines keep their first 255 characters,
// fields their first 63.
//   1  name (stored in upper case, at most 31 characters), further fields ignored
//   2  label, threshold (dB) at Amount 0, at 0.5, at 1 (of several fields from the fourth on, the last)
//   3  label, makeup gain (dB) at Amount 0, at 0.5, at 1 (likewise)
//   4  label, ratio        5  label, attack (ms)        6  label, release (s)
// A value a preset's lines do not give keeps the previous preset's value (0 for the first). A preset that
// is incomplete when the text ends is dropped.

#include <cstddef>
#include <memory>
#include <vector>

class PageController;

// One preset. Threshold and makeup follow v(a) = v0 + (v1 - v0) x a^exponent over the Amount a, through
// the three points given.
struct CompPreset {
    // The exponent is ln((vHalf - v0) / (v1 - v0)) / ln 0.5; when vHalf does not lie strictly between v0
    // and v1 the curve is the straight line (exponent 1).
    CompPreset(const char* name, float thresholdAt1, float thresholdAtHalf, float thresholdAt0, float makeupAt1,
               float makeupAtHalf, float makeupAt0, float ratio, float attack, float release, bool builtIn);

    char name[32];
    float thresholdAt1;
    float thresholdAt0;
    float makeupAt1;
    float makeupAt0;
    float ratio;
    float attack;   // ms
    float release;  // s
    bool builtIn;
    float thresholdExponent;
    float makeupExponent;
};

class CompPresetList {
public:
    // text may be null (length 0).
    CompPresetList(const char* text, size_t length);

    // At least 1: entry 0 is "FLAT".
    size_t Count() const { return m_presets.size(); }
    // k must lie below Count().
    const CompPreset* Get(size_t k) const;

    // On a compressor panel (parameters as in CompressorParamDescriptors.h): "Ratio", "Release Time" and
    // "Attack Time" get the preset's values as value and default, then "Amount" 0 for the built-in
    // preset and 0.5 for the others. Each change is refreshed through the panel without telling the
    // listener, so the panel's handler sends it (Amount through ApplyRanged).
    static void Apply(const CompPreset& preset, PageController& panel);
    // "Threshold" and "Makeup Gain" from the preset's curves at amount (held to 0..1), refreshed as above.
    static void ApplyRanged(const CompPreset& preset, PageController& panel, float amount);

private:
    std::vector<std::unique_ptr<CompPreset>> m_presets;
};

// Shared by the preset readers: the number at the start of field as "%f" reads it, independent of the
// locale (leading blanks skipped); 0 when the field does not start with a finite number.
float ReadPresetNumber(const char* field);
