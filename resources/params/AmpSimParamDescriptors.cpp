// An amp-simulator panel's parameters. "Type" picks one of the four amp models: a third of its
// range each for the first three, its upper end alone for the fourth.
#include "resources/params/AmpSimParamDescriptors.h"

const ParamDescriptor kAmpSimParamDescriptors[kAmpSimParamCount] = {
    {0, "Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperLinear},
    {1, "Drive", 0.0f, 11.0f, 0.0f, UnitNone, TaperLinear},
    {2, "Low Gain", 1.0f, 10.0f, 1.0f, UnitNone, TaperLinear},
    {3, "Mid Gain", 1.0f, 10.0f, 1.0f, UnitNone, TaperLinear},
    {4, "High Gain", 1.0f, 10.0f, 1.0f, UnitNone, TaperLinear},
    {5, "Out Level", -18.0f, 0.0f, 0.0f, UnitDecibels, TaperLinear},
    {6, "Type", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
};
