// A custom input mix: four input levels, two reverb sends and two reverb mutes, all 0..1.
#include "resources/params/CustomMixParamDescriptors.h"

const ParamDescriptor kCustomMixParamDescriptors[kCustomMixParamCount] = {
    {0, "Input 1 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {1, "Input 2 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {2, "Input 3 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {3, "Input 4 Level", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {4, "Input 1 Reverb", 0.0f, 1.0f, 1.0f, UnitNone, TaperLinear},
    {5, "Input 2 Reverb", 0.0f, 1.0f, 1.0f, UnitNone, TaperLinear},
    {6, "Reverb Mute 1", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
    {7, "Reverb Mute 2", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
};
