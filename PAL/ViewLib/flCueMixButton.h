#pragma once
// The cue-mix selector of one output pair: five crosses at columns 6, 9, 12, 15, 18 showing the
// output's custom levels (subs 0..4) while its custom mix is enabled (sub 11), else the five main
// playback-mix levels (subs 6..10). Release toggles the selector, sub 5.

#include "PAL/ViewLib/MixSelectButton.h"

class flCueMixButton : public MixSelectButton {
public:
    flCueMixButton(const LayoutRecord* record, ControlPage* page);

    int32_t GetDots(Dot* dots) const override;
};
