#pragma once
// The page controller of one of the unit's two reverbs: four controls mapped to five DSP values in
// its own writer block, and, on every rate change, the rate factor in the one-entry block that both
// reverbs share. GUI thread only; the writers hand the values to the polling thread.

#include <cstdint>

#include "PAL/ViewLib/PageController.h"

class ParamWriter;

class ReverbPanel : public PageController {
public:
    enum ParamIndex : int32_t { kRoomSize = 0, kDecayTime = 1, kReverbTone = 2, kEnable = 3 };

    // Entries of the own block; the shared block has the rate factor at 0.
    static constexpr uint32_t kEnableEntry = 0;
    static constexpr uint32_t kRoomSizeEntry = 1;
    static constexpr uint32_t kDecayEntry = 2;
    static constexpr uint32_t kToneRangeEntry = 3;        // raw: 1 for a tone from 0 up, 0 below
    static constexpr uint32_t kToneCoefficientEntry = 4;
    static constexpr uint32_t kRateFactorEntry = 0;

    // A new panel with "Enable" on and nothing written yet, then both writers stored. The writers
    // are not owned and must outlive the panel; flag is not used.
    static ReverbPanel* Create(ParamWriter* own, ParamWriter* shared, bool flag);

    void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                 float* const* outputs, int32_t outputStride) override;
    // The plain value of the changed parameter to ApplyParameter.
    void ParameterChangedHook(int32_t index) override;
    // The rate factor into the shared block, then every parameter again.
    void SetSampleRate(float rate) override;
    // Writes the DSP values of one parameter at the plain value; nothing without an own writer.
    // The value is held to the parameter's range; NaN writes nothing.
    virtual void ApplyParameter(int32_t index, float value);

    // 4 above 96001 Hz, 2 above 48001 Hz, else 1.
    static uint32_t RateFactor(float rate);
    // The unit's tone coefficient exp(-pi x^3) of a tone -1..1, and its range flag.
    static float ToneCoefficient(float tone, uint32_t& rangeFlag);

protected:
    ReverbPanel();

private:
    ParamWriter* m_writer = nullptr;
    ParamWriter* m_shared = nullptr;
};
