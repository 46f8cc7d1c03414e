#pragma once
// One second-order DSP filter section (biquad) of the EQ or the amp simulator: a band type,
// frequency, gain and Q, designed for the current sample rate (BiquadDesign) and written into a
// writer block as one coefficient set at `dspIndex` (ParamWriter::SetCoefficientSet).
//
// A plain record: owners read `b`, `a` and `shift` after a design and may assign `writer` and
// `dspIndex` directly. After a design, `b` and `a` hold the scaled values that were sent.
// GUI thread only; the writer block hands the items to the polling thread.

#include <cstdint>

#include "CtrlPanel/effects/BiquadDesign.h"

class ParamWriter;

class EqBand {
public:
    // Band types, as BiquadDesign designs them.
    static constexpr BiquadDesign::Type kAnalogBell = BiquadDesign::kAnalogBell;
    static constexpr BiquadDesign::Type kAnalogHighShelf = BiquadDesign::kAnalogHighShelf;
    static constexpr BiquadDesign::Type kLowShelf = BiquadDesign::kLowShelf;
    static constexpr BiquadDesign::Type kLowPass = BiquadDesign::kLowPass;
    static constexpr BiquadDesign::Type kHighPass = BiquadDesign::kHighPass;
    static constexpr BiquadDesign::Type kBell = BiquadDesign::kBell;

    int32_t type = kAnalogBell;
    float b[5] = {};  // b0..b2; b3, b4 always 0
    float a[5] = {};  // a0..a2; a0 is 1 after types 0, 1, 2, 5 and 0 after 3, 4; a3, a4 always 0
    int32_t shift = 0;            // halvings applied by the last design
    float freq = 65.0f, freqTarget = 65.0f;  // Hz: centre, corner or shelf frequency
    float gain = 0.0f, gainTarget = 0.0f;    // dB
    float q = 1.0f, qTarget = 1.0f;
    uint8_t immediate = 1;  // nonzero: setters act at once; zero: Glide moves toward the targets
    int32_t order = 2;
    float sampleRate = 48000.0f;  // Hz
    ParamWriter* writer = nullptr;  // not owned; null: design only
    int32_t dspIndex = 0;           // first index of the band's slot in the writer block

    // Type 0 at 65 Hz, 0 dB, Q 1, 48000 Hz, no writer; `dspIndex` is kept. Designs, writes nothing.
    void Init(bool immediateSettings);
    // Each redesigns and writes when the value changes (setters: the target; with `immediate`
    // also the current value). SetSampleRate always redesigns; a rate that is not a positive
    // finite number is ignored.
    void SetType(int32_t newType);
    void SetFreq(float hz);
    void SetGain(float db);
    void SetQ(float newQ);
    void SetSampleRate(float hz);
    // Designs for `type` and sends; true when a design was sent. A design that cannot be made (no
    // usable rate, values that are not finite, a non-positive Q or frequency for the direct
    // designs, a result that is not finite or has a pole on or outside the unit circle) leaves
    // the band's coefficients as they were and writes nothing.
    bool Update();
    // One glide step: frequency by 200 Hz (20 Hz for the high-pass), gain by 0.2 dB, Q by 0.1,
    // never past the target; the frequency target is held to the limits of the design. One
    // Update when anything moved.
    void Glide();
    // Writes the stored `shift`, `b` and `a` again, unscaled, when a writer is set.
    void SendRaw();

private:
    // Scales, stores and writes a design; false (nothing changed) when it is refused.
    bool Send(float bv[5], float av[5]);
};
