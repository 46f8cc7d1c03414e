#pragma once
// The design of one second-order section (biquad) for the device's DSP: six band types, designed
// for a sample rate, checked and scaled into a CoefficientSet. Functions of their arguments only;
// any thread. The EQ bands (EqBand) and the amp shaper's filters use them and do the sending.
//
// Precision: the analog models and the transforms compute in double, the direct designs in single
// precision (the tangent in double for the low shelf, low-pass and high-pass); results are floats.

#include <cstdint>

#include "CtrlPanel/device/CoefficientSet.h"

class BiquadDesign {
public:
    enum Type : int32_t {
        kAnalogBell = 0,        // analog-model bell, matched z-transform
        kAnalogHighShelf = 1,   // analog-model high shelf, bilinear transform
        kLowShelf = 2,
        kLowPass = 3,
        kHighPass = 4,
        kBell = 5,
    };

    // Designs a section of `type` at `rate` into bv and av (b0..b2 and a0..a2, zeros after them),
    // unscaled; a0 is 1, or 0 where 1 is implied (low-pass, high-pass). freq in Hz: an analog
    // model holds it to its component range and hands the held value back; every design uses at
    // most 0.49 of the rate. gainDb in dB. False when no design can be made: a rate that is not
    // usable, values that are not finite, a non-positive frequency or Q for the direct designs, an
    // unknown type.
    static bool Design(int32_t type, float& freq, float gainDb, float q, float rate, float bv[5],
                       float av[5]);
    // Scales a design in place (NormaliseByHalving over three coefficients each) and copies it into
    // set. False, and set unchanged, when a pole is on or outside the unit circle or a value is not
    // finite.
    static bool Finish(float bv[5], float av[5], CoefficientSet& set);

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
    static void DesignAnalogBell(float& freq, float gain, float q, float sampleRate, float bv[5],
                                 float av[5]);
    static void DesignAnalogHighShelf(float& freq, float gain, float sampleRate, float bv[5],
                                      float av[5]);
    static bool DesignLowShelf(float f, float gain, float sampleRate, float bv[5], float av[5]);
    static bool DesignLowPass(float f, float q, float sampleRate, float bv[5], float av[5]);
    static bool DesignHighPass(float f, float q, float sampleRate, float bv[5], float av[5]);
    static bool DesignBell(float f, float gain, float q, float sampleRate, float bv[5],
                           float av[5]);
};
