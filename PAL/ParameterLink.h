#pragma once
// Copies one parameter of a source set into one parameter of a target set whenever it changes. Two
// links in opposite directions settle after one exchange: the echo finds both values equal.
// GUI thread only.

#include <cstdint>

#include "PAL/ParameterObserver.h"

class ParameterSet;

class ParameterLink : public ParameterObserver {
public:
    // Joins the source set's observers; the sets are not owned and must outlive the link.
    ParameterLink(int32_t sourceIndex, int32_t targetIndex, ParameterSet* sourceSet, ParameterSet* targetSet);
    ParameterLink(const ParameterLink&) = delete;
    ParameterLink& operator=(const ParameterLink&) = delete;
    ~ParameterLink() override;

    // Writes the source's normalised value into the target when they differ (the target's observers
    // are told, not its listener).
    void OnParameterChanged(int32_t index) override;

private:
    int32_t m_sourceIndex;
    int32_t m_targetIndex;
    ParameterSet* m_sourceSet;
    ParameterSet* m_targetSet;
};
