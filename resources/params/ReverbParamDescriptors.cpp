// A reverb panel's parameters. "Reverb Tone" is bipolar: below 0 and from 0 up it drives two
// different tone ranges of the unit.
#include "resources/params/ReverbParamDescriptors.h"

const ParamDescriptor kReverbParamDescriptors[kReverbParamCount] = {
    {0, "Room Size", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {1, "Decay Time", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {2, "Reverb Tone", -1.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
    {3, "Enable", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
};
