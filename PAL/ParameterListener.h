#pragma once
// The one party of a parameter set that acts on user changes (the application). The set itself
// only asks it for the sample rate; control pages report user changes to it.

#include <cstdint>

class ParameterListener {
public:
    virtual ~ParameterListener() = default;
    // Hz.
    virtual float GetSampleRate() = 0;
    virtual void ParameterChanged(int32_t index) = 0;
};
