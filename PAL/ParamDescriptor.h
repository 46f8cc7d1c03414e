#pragma once
// The static record a parameter is built from. Descriptor tables list the parameters of one set in
// index order (0, 1, 2, ...); they are never modified and outlive every set built from them.

#include <cstdint>

// Maps between the plain value and the normalised value (normally 0..1).
enum ParamTaper : int32_t {
    TaperLinear = 0,
    TaperLog = 1,       // natural logarithm; needs a positive minimum
    TaperLog2 = 2,      // needs a positive minimum
    TaperLog10 = 3,     // needs a positive minimum
    TaperExp = 4,       // e to the value; needs a positive minimum
    TaperPow2 = 5,      // needs a positive minimum
    TaperPow10 = 6,     // needs a positive minimum
    TaperStepped = 7,   // whole steps over a power-of-two span
    TaperCustom = 8,    // the parameter's own hooks
};

// How the value is shown and parsed.
enum ParamUnit : int32_t {
    UnitNone = 0,
    UnitTime = 1,           // seconds, shown as s, ms or us by size
    UnitSeconds = 2,
    UnitMilliseconds = 3,
    UnitMicroseconds = 4,
    UnitBPM = 5,
    UnitDecibels = 6,
    UnitVolts = 7,
    UnitAmps = 8,
    UnitWatts = 9,
    UnitOhms = 10,
    UnitFrequency = 11,     // hertz, shown in KHz above 1000
    UnitHertz = 12,
    UnitKilohertz = 13,
    UnitSwitch = 14,        // "Off" / "On"
    UnitPercent = 15,
    UnitRatio = 16,         // compression ratio 1 / (1 - value)
    UnitCustom = 17,        // the parameter's own hooks
};

constexpr int kParamNameSize = 64;

struct ParamDescriptor {
    int32_t index;                 // position in the set
    char name[kParamNameSize];     // NUL-terminated display name; may be empty
    float minimum;                 // plain range and default
    float maximum;
    float defaultValue;
    int32_t unitKind;              // ParamUnit
    int32_t taperKind;             // ParamTaper
};

static_assert(sizeof(ParamDescriptor) == 88, "descriptor records are 88 bytes");
