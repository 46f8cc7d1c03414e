#pragma once
// The window of one output pair's custom playback mix: as the custom input-mix window, over the five
// playback levels of its own set (CustomCueMixPage), forwarded to main parameters base .. base + 4.
// GUI thread only.

#include "CtrlPanel/CustomMixWindow.h"

class CustomCueMixWindow : public CustomMixWindow {
public:
    // base: CustomCueMixPage::MainBase of the pair; target: the main page controller, not owned.
    CustomCueMixWindow(int32_t base, PageController* target, wxWindow* parent, const wxString& title, long style);
    ~CustomCueMixWindow() override;

    // " Custom Playback Mix for Outputs 1&2" .. " Custom Playback Mix for Outputs 9&10", for pair 0..4.
    static wxString TitleFor(int32_t pair);
};
