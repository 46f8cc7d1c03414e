#include "CtrlPanel/effects/AmpModel2.h"

#include <cmath>

AmpModel2::AmpModel2() { SetDrive(0.0f); }

void AmpModel2::SetDrive(float d) { m_k = (12.0f * d * d + 2.0f) * 0.001f * 0.0625f; }

float AmpModel2::Shape(float x) const
{
    float s = x > 0.0f ? 0.7f : 1.0f;
    return float(std::tanh(double(m_k * x))) * s * 1000.0f * 16.0f;
}

float AmpModel2::GetLowFreq() const { return 300.0f; }
float AmpModel2::GetMidFreq() const { return 1500.0f; }
float AmpModel2::GetHighFreq() const { return 3200.0f; }
float AmpModel2::GetLowQ() const { return 0.8f; }
float AmpModel2::GetMidQ() const { return 5.0f; }
float AmpModel2::GetHighQ() const { return 3.4f; }
float AmpModel2::GetHighPassFreq() const { return 50.0f; }
float AmpModel2::GetLowPassFreq() const { return 5000.0f; }
float AmpModel2::GetHighPassQ() const { return 0.3f; }
float AmpModel2::GetLowPassQ() const { return 1.2f; }
float AmpModel2::MapLowGain(float g) const { return 15.0f * g + 10.0f; }
float AmpModel2::MapMidGain(float g) const { return 10.0f * g - 17.0f; }
float AmpModel2::MapHighGain(float g) const { return 10.0f * g + 10.0f; }
