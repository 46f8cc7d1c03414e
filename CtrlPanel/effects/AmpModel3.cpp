#include "CtrlPanel/effects/AmpModel3.h"

#include <algorithm>

AmpModel3::AmpModel3() { SetDrive(0.0f); }

void AmpModel3::SetDrive(float d) { m_k = (150.0f * d * d + 1.0f) * 0.001f; }

float AmpModel3::Shape(float x) const
{
    return std::min(std::max(m_k * x, -0.5f), 0.7f) * 1600.0f;
}

float AmpModel3::GetLowFreq() const { return 120.0f; }
float AmpModel3::GetMidFreq() const { return 800.0f; }
float AmpModel3::GetHighFreq() const { return 3800.0f; }
float AmpModel3::GetLowQ() const { return 1.2f; }
float AmpModel3::GetMidQ() const { return 2.0f; }
float AmpModel3::GetHighQ() const { return 0.4f; }
float AmpModel3::GetHighPassFreq() const { return 60.0f; }
float AmpModel3::GetLowPassFreq() const { return 4000.0f; }
float AmpModel3::GetHighPassQ() const { return 0.7f; }
float AmpModel3::GetLowPassQ() const { return 0.7f; }
float AmpModel3::MapLowGain(float g) const { return 36.0f * g + 12.0f; }
float AmpModel3::MapMidGain(float g) const { return 12.0f * g - 32.0f; }
float AmpModel3::MapHighGain(float g) const { return 6.0f * g + 12.0f; }
