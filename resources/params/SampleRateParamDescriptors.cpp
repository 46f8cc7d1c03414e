// Rate index 1..6 (44100, 48000, 88200, 96000, 176400, 192000 Hz), the external-clock preference and
// the two indicators.
#include "resources/params/SampleRateParamDescriptors.h"

const ParamDescriptor kSampleRateParamDescriptors[kSampleRateParamCount] = {
    {0, "", 1.0f, 6.0f, 1.0f, UnitNone, TaperStepped},
    {1, "Prefer Ext Lock", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
    {2, "Is card in use", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
    {3, "Ext lock locked", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
};
