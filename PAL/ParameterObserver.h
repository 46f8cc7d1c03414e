#pragma once
// A party that follows every change of a parameter set's values: control pages, page controllers,
// links, windows. Observers run on the GUI thread only; a change stored by a worker thread reaches
// them when the GUI thread delivers the worker changes (ParameterSet::DeliverWorkerChanges).

#include <cstdint>

class ParameterObserver {
public:
    virtual ~ParameterObserver() = default;
    // The parameter at index changed. May add or remove observers (itself included) and set
    // further parameters of any set.
    virtual void OnParameterChanged(int32_t index) = 0;
};
