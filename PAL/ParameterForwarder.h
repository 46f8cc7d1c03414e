#pragma once
// Copies every change of a parameter of one controller's set into another controller, one way:
// parameter i of the source becomes parameter base + i of the target, as the same normalised value,
// through the target's PageController::SetParameter (its observers are told, its listener is not).
// A change of the target never reaches the source.
//
// The custom-mix windows forward their own small set into the main set this way. GUI thread only.

#include <cstdint>

#include "PAL/ParameterObserver.h"

class PageController;

class ParameterForwarder : public ParameterObserver {
public:
    ParameterForwarder() = default;
    ParameterForwarder(const ParameterForwarder&) = delete;
    ParameterForwarder& operator=(const ParameterForwarder&) = delete;
    ~ParameterForwarder() override;

    // Joins the observers of source's set (neither controller is owned; source must outlive the
    // forwarding or stop it first). A null target forwards nothing.
    void StartForwarding(PageController* source, int32_t base, PageController* target);
    // Leaves the source's observers; safe during a notification and when not started.
    void StopForwarding();

    void OnParameterChanged(int32_t index) override;
    // Sets target parameter base + index to the source's normalised value of index.
    virtual void ForwardParameter(int32_t index);


private:
    PageController* m_source = nullptr;
    int32_t m_base = 0;
    PageController* m_target = nullptr;
};
