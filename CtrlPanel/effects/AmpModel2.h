#pragma once
// Amp voicing 2 ("COMBO"): asymmetric tanh curve with a small drive factor and a large
// output factor. See AmpModel.

#include "CtrlPanel/effects/AmpModel.h"

class AmpModel2 : public AmpModel {
public:
    AmpModel2();
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
    float GetHighPassQ() const override;
    float GetLowPassQ() const override;
    float MapLowGain(float g) const override;
    float MapMidGain(float g) const override;
    float MapHighGain(float g) const override;
};
