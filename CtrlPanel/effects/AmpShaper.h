#pragma once
// The amp simulator's shaping stage: holds the current model, samples its transfer function into
// a 128-point curve, and writes the curve and the two filters around it (low-pass and high-pass)
// into the amp-simulator writer block. The curve goes out once after each change (SendCurve).
//
// The panel passes plain values: the normalised Drive (0..1), the model index from "Type", and
// the sample rate. GUI thread only.

#include <cstdint>

#include "CtrlPanel/device/CoefficientSet.h"

class AmpModel;
class ParamWriter;

class AmpShaper {
public:
    static constexpr int kCurvePoints = 128;

    // Model 0 at drive 0 with its curve built, unsent, no writer.
    AmpShaper();
    virtual ~AmpShaper() = default;
    AmpShaper(const AmpShaper&) = delete;
    AmpShaper& operator=(const AmpShaper&) = delete;

    // Not owned. first: the shaper of input 1.
    virtual void AttachWriter(ParamWriter* writer, bool first);

    // Selects model 0..3 (other indices give model 0), applies the current drive, rebuilds.
    void SetModel(int index);
    // d: the normalised Drive, 0..1. Always rebuilds the curve and marks it unsent.
    void SetDrive(float d);
    // Samples the model at x = i/64 - 1, i = 0..127, limited to -1..1; marks the curve unsent.
    void BuildCurve();
    // With a writer and an unsent curve: the 128 points (1.31) and the commit, in one locked
    // write; then the curve counts as sent.
    void SendCurve();
    // Designs the low-pass (slot 21) and the high-pass (slot 41) of the current model at the rate
    // (BiquadDesign) and writes them, then resends the curve. A filter whose design is refused (a
    // rate that is not a positive finite number, an unstable result) is left as it was.
    void SetSampleRate(float rate);

    int GetModelIndex() const { return m_modelIndex; }
    AmpModel* GetModel() const { return m_model; }

private:
    // Designs one filter stage at the rate; when the design is accepted, stores it in `stored` and
    // writes it at slot.
    void WriteFilter(int32_t type, float freq, float q, float rate, uint32_t slot,
                     CoefficientSet& stored);

    int m_modelIndex = 0;
    float m_drive = 0.0f;
    float m_offset = 0.0f;  // curve offset c
    AmpModel* m_model;      // shared, not owned
    ParamWriter* m_writer = nullptr;
    bool m_first = false;
    bool m_sent = false;
    // The curve with one guard copy of the first point before it and two of the last after it.
    float m_curve[1 + kCurvePoints + 2] = {};
    // The filters' scaled coefficient sets of their last accepted designs.
    CoefficientSet m_lowPass;
    CoefficientSet m_highPass;
};
