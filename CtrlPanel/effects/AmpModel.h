#pragma once
// A fixed amp voicing: how Drive scales the input (the drive factor k), the transfer curve, the
// tone bands and the filters around the curve, and how the tone controls map to band gains.
// Four models exist as shared objects (ForIndex); they are never deleted by their users.

#include <cstdint>

class AmpModel {
public:
    virtual ~AmpModel() = default;

    // Sets k from the normalised drive d (0..1).
    virtual void SetDrive(float d) = 0;
    // The transfer function at input x (-1..1), before the shaper limits it to -1..1.
    virtual float Shape(float x) const = 0;

    // Tone bands (Hz, Q).
    virtual float GetLowFreq() const = 0;
    virtual float GetMidFreq() const = 0;
    virtual float GetHighFreq() const = 0;
    virtual float GetLowQ() const { return 0.68f; }
    virtual float GetMidQ() const { return 0.68f; }
    virtual float GetHighQ() const { return 0.68f; }

    // Filters around the curve (Hz, Q).
    virtual float GetHighPassFreq() const = 0;
    virtual float GetLowPassFreq() const = 0;
    virtual float GetHighPassQ() const { return 0.68f; }
    virtual float GetLowPassQ() const { return 0.68f; }

    // Tone gain in dB for g = (control - 1) / 9, 0..1.
    virtual float MapLowGain(float g) const = 0;
    virtual float MapMidGain(float g) const = 0;
    virtual float MapHighGain(float g) const = 0;

    // Offset c blended into the curve: y = Shape(x)(1 - c) + c.
    virtual float GetCurveOffset(float /*d*/) const { return 0.0f; }

    static constexpr int kModelCount = 4;
    // The shared model of an index, 0..3 ("BRITISH", "AMERICAN", "COMBO", "BASS"); an index
    // outside that range gives model 0.
    static AmpModel* ForIndex(int index);

protected:
    float m_k = 0.0f;  // drive factor
};
