#include "CtrlPanel/effects/AmpModel1.h"

#include <cmath>

AmpModel1::AmpModel1() { SetDrive(0.0f); }

void AmpModel1::SetDrive(float d) { m_k = (9.0f * d + 1.0f) * 3.0f; }

float AmpModel1::Shape(float x) const
{
    float y = m_k * x;
    float ay = std::fabs(y);
    return y * ay / (y * y + ay + 1.0f);
}

float AmpModel1::GetLowFreq() const { return 180.0f; }
float AmpModel1::GetMidFreq() const { return 650.0f; }
float AmpModel1::GetHighFreq() const { return 2400.0f; }
float AmpModel1::GetLowQ() const { return 1.2f; }
float AmpModel1::GetMidQ() const { return 1.8f; }
float AmpModel1::GetHighQ() const { return 0.8f; }
float AmpModel1::GetHighPassFreq() const { return 20.0f; }
float AmpModel1::GetLowPassFreq() const { return 4000.0f; }
float AmpModel1::GetHighPassQ() const { return 1.0f; }
float AmpModel1::GetLowPassQ() const { return 1.0f; }
float AmpModel1::MapLowGain(float g) const { return 20.0f * g + 10.0f; }
float AmpModel1::MapMidGain(float g) const { return 10.0f * g - 18.0f; }
float AmpModel1::MapHighGain(float g) const { return 12.0f * g + 6.0f; }
