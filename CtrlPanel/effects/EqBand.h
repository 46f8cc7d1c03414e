#pragma once
// One second-order DSP filter section (biquad) designed on the host: a band type, frequency, gain
// and Q, designed for the current sample rate, scaled by a power of two so that every sent value
// lies below 1 in magnitude, and written into a writer block as one coefficient set (shift word,
// b0 b1 b2 a1 a2 in 1.31, commit) at `dspIndex` (ParamWriter::SetCoefficientSet).
//
// A plain record: owners read `b`, `a` and `shift` after a design and may assign `writer` and
// `dspIndex` directly. After a design, `b` and `a` hold the scaled values that were sent.
// GUI thread only; the writer block hands the items to the polling thread.

#include <cstdint>

class ParamWriter;

class EqBand {
public:
    enum Type : int32_t {
        kAnalogBell = 0,        // analog-model bell, matched z-transform
        kAnalogHighShelf = 1,   // analog-model high shelf, bilinear transform
        kLowShelf = 2,
        kLowPass = 3,
        kHighPass = 4,
        kBell = 5,
    };

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

    // Frequency range the design of `bandType` uses at `rate` (analog models: their component
    // range; every type: below 0.49 of the rate).
    static void DesignLimits(int32_t bandType, float rate, float& lo, float& hi);
    static bool IsUsableRate(float rate);
    // True when both poles of 1 + a1/a0 z^-1 + a2/a0 z^-2 lie inside the unit circle (a0 = 0 is
    // taken as 1).
    static bool IsStable(const float av[5]);

    // Scales the first n entries of b and a by 2^-s, s the smallest s >= 1 with max|.| < 2^s
    // (at most 31), and returns s; returns 0 and changes nothing when max|.| < 1; returns -1 and
    // changes nothing when max|.| is not finite.
    static int NormaliseByHalving(float* bv, float* av, int n);

    // s-domain models: coefficients of s^2, s, 1 in the first three places, zeros after them.
    // qPot, gainPot in 0..1, cb in farads, f in Hz.
    static void AnalogBellModel(double qPot, double gainPot, double cb, double f, double num[5],
                                double den[5]);
    // freqPot, gainPot in 0..1.
    static void AnalogShelfModel(double freqPot, double gainPot, double num[5], double den[5]);
    // s-domain pair to z-domain b0..b2, a0..a2 (zeros after them) at the sample rate fs.
    static void MatchedZTransform(const double num[5], const double den[5], double bz[5],
                                  double az[5], double fs);
    static void BilinearTransform(const double num[5], const double den[5], double bz[5],
                                  double az[5], double fs);

private:
    // Designs into bv/av; false when no design can be made.
    bool Design(float bv[5], float av[5]);
    bool DesignAnalogBell(float bv[5], float av[5]);
    bool DesignAnalogHighShelf(float bv[5], float av[5]);
    bool DesignLowShelf(float f, float bv[5], float av[5]) const;
    bool DesignLowPass(float f, float bv[5], float av[5]) const;
    bool DesignHighPass(float f, float bv[5], float av[5]) const;
    bool DesignBell(float f, float bv[5], float av[5]) const;
    // Scales, stores and writes a design; false (nothing changed) when the scaling refuses it.
    bool Send(float bv[5], float av[5]);
};
