#include "CtrlPanel/effects/AmpModel0.h"

#include <cmath>

AmpModel0::AmpModel0() { SetDrive(0.0f); }

void AmpModel0::SetDrive(float d) { m_k = (200.0f * d * d + 2.0f) * 0.4f; }

float AmpModel0::Shape(float x) const
{
    float s = x > 0.0f ? 0.7f : 1.0f;
    return float(std::tanh(double(m_k * x))) * s;
}

float AmpModel0::GetLowFreq() const { return 82.0f; }
float AmpModel0::GetMidFreq() const { return 650.0f; }
float AmpModel0::GetHighFreq() const { return 4000.0f; }
float AmpModel0::GetLowQ() const { return 2.0f; }
float AmpModel0::GetMidQ() const { return 6.0f; }
float AmpModel0::GetHighQ() const { return 0.6f; }
float AmpModel0::GetHighPassFreq() const { return 40.0f; }
float AmpModel0::GetLowPassFreq() const { return 3000.0f; }
float AmpModel0::MapLowGain(float g) const { return 12.0f * g + 7.0f; }
float AmpModel0::MapMidGain(float g) const { return 12.0f * g - 7.0f; }
float AmpModel0::MapHighGain(float g) const { return 24.0f * g - 12.0f; }
