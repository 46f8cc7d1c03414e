#pragma once
// The page controller of one input's amp simulator. The current amp model turns Drive, the three
// tone controls and Type into a shaping curve (AmpShaper), the filters around it and three tone
// bands; the panel writes them, the enable and the output level into its writer block. The curve
// goes out from the idle work, once after each change. GUI thread only; the writer hands the values
// to the polling thread.

#include <cstdint>

#include "CtrlPanel/effects/AmpShaper.h"
#include "CtrlPanel/effects/EqBand.h"
#include "PAL/ViewLib/PageController.h"

class LevelMeter;
class ParamWriter;

class AmpSimPanel : public PageController {
public:
    enum ParamIndex : int32_t {
        kEnable = 0, kDrive = 1, kLowGain = 2, kMidGain = 3, kHighGain = 4, kOutLevel = 5, kType = 6
    };

    // A new panel on writer (not owned; it must outlive the panel); first: the input-1 simulator.
    // Nothing is written until a parameter changes or the rate is set.
    static AmpSimPanel* Create(ParamWriter* writer, bool first);
    // The "Enable" parameter for kind 0, else -1 (the main window's effect switches link to it).
    static int32_t GetEnableParameterIndex(int32_t kind);

    void Process(const float* const* inputs, int32_t inputStride, int32_t channels, int32_t frames,
                 float* const* outputs, int32_t outputStride) override;
    void ParameterChangedHook(int32_t index) override;
    // Enable and output level again, both shaper filters and the curve, the three tone bands.
    void SetSampleRate(float rate) override;
    // The idle work: the curve when it changed; with a writer, the level of the window's meter
    // when its meter group is enabled.
    void Tick(DrawContext* context) override;
    // Gives the writer to the panel, the shaper and the three tone bands (null detaches).
    virtual void AttachWriter(ParamWriter* writer, bool first);
    // Type, Q, frequency and rate of the tone bands from the current model, at GetSampleRate.
    void UpdateFilters();

    const AmpShaper& GetShaper() const { return m_shaper; }

protected:
    AmpSimPanel();

private:
    // The stored normalised value held to 0..1 (NaN as 0).
    float Normalised(int32_t index);
    // A tone control's position, 0..1.
    float ToneFraction(int32_t index);
    void PushMeterLevel();

    AmpShaper m_shaper;
    EqBand m_low;
    EqBand m_mid;
    EqBand m_high;
    ParamWriter* m_writer = nullptr;
    bool m_first = false;
    LevelMeter* m_meter = nullptr;  // null when the meter record holds another class
};
