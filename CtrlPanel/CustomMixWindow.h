#pragma once
// The window of one output pair's custom input mix. It owns its page controller (its own small
// parameter set and page) and copies every change of that set into the main set, at a fixed base
// index, through the main page controller: parameter i becomes main parameter base + i. Forwarding is
// one way; the main frame writes main changes back into the window's set where it needs to.
//
// Made hidden with no meter group; closing only hides it. GUI thread only.

#include <cstdint>
#include <memory>

#include "PAL/ParameterForwarder.h"
#include "PAL/wx/SkinWindow.h"

class PageController;

class CustomMixWindow : public SkinWindow, public ParameterForwarder {
public:
    // base: the main parameter that own parameter 0 maps to (CustomMixPage::MainBase); target: the
    // main page controller, not owned (null forwards nothing).
    CustomMixWindow(int32_t base, PageController* target, wxWindow* parent, const wxString& title, long style);
    ~CustomMixWindow() override;

    PageController* GetOwnController() const { return m_own.get(); }

    // " Custom Input Mix for Outputs 1&2" .. " Custom Input Mix for Outputs 9&10", for pair 0..4.
    static wxString TitleFor(int32_t pair);

protected:
    // Shows and forwards own, which the window takes over.
    CustomMixWindow(std::unique_ptr<PageController> own, int32_t base, PageController* target, wxWindow* parent,
                    const wxString& title, long style);

private:
    std::unique_ptr<PageController> m_own;
};
