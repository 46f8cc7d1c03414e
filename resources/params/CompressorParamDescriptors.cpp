// A compressor panel's parameters, in the plain units its DSP values are computed from.
#include "resources/params/CompressorParamDescriptors.h"

const ParamDescriptor kCompressorParamDescriptors[kCompressorParamCount] = {
    {0, "Simple/Advanced Mode", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped},
    {1, "Simple Compressor Model", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
    {2, "Amount", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
    {3, "Input Gain", -18.0f, 18.0f, 0.0f, UnitDecibels, TaperLinear},
    {4, "Output Gain", -18.0f, 18.0f, 0.0f, UnitDecibels, TaperLinear},
    {5, "Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped},
    {6, "Threshold", -50.0f, 0.0f, 0.0f, UnitDecibels, TaperLinear},
    {7, "Ratio", 0.1f, 1.99f, 0.1f, UnitRatio, TaperLog},
    {8, "Attack Time", 2.0f, 100.0f, 15.0f, UnitMilliseconds, TaperLog2},
    {9, "Release Time", 0.1f, 3.0f, 0.1f, UnitTime, TaperLog2},
    {10, "Makeup Gain", 0.0f, 18.0f, 0.0f, UnitDecibels, TaperLinear},
};
