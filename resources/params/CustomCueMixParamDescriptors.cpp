// A custom playback mix: the level of each of the five playback pairs, 0..1.
#include "resources/params/CustomCueMixParamDescriptors.h"

const ParamDescriptor kCustomCueMixParamDescriptors[kCustomCueMixParamCount] = {
    {0, "Level 1&2", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {1, "Level 3&4", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {2, "Level 5&6", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {3, "Level 7&8", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
    {4, "Level 9&10", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
};
