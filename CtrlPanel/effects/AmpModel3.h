#pragma once
// Amp voicing 3 ("BASS"): hard clip at -0.5 and 0.7 of k x, scaled by 1600. See AmpModel.

#include "CtrlPanel/effects/AmpModel.h"

class AmpModel3 : public AmpModel {
public:
    AmpModel3();
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
