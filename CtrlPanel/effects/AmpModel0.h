#pragma once
// Amp voicing 0 ("BRITISH"): asymmetric tanh curve (the positive half at 0.7). See AmpModel.

#include "CtrlPanel/effects/AmpModel.h"

class AmpModel0 : public AmpModel {
public:
    AmpModel0();
    void SetDrive(float d) override;
    float Shape(float x) const override;
    float GetLowFreq() const override;
    float GetMidFreq() const override;
    float GetHighFreq() const override;
    float GetLowQ() const override;
    float GetMidQ() const override;
    float GetHighQ() const override;
    float GetHighPassFreq() const override;
    float GetLowPassFreq() const override;
    float MapLowGain(float g) const override;
    float MapMidGain(float g) const override;
    float MapHighGain(float g) const override;
};
