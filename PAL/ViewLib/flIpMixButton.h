#pragma once
// The input-mix selector of one output pair: four crosses at columns 6, 10, 14, 18. While the custom
// input mix is enabled (sub 11) they show its four input levels (subs 0..3). Otherwise two of them
// show the input 1/2 balance b (sub 9) as left min(1, 2 (1 - b)) and right min(1, 2 b): crosses 3
// and 4 while the processed/unprocessed switch (sub 10) is on, else crosses 1 and 2; the other two
// stay at the bottom. Subs 4..7 (reverb sends and enables) are stored only. Release toggles the
// selector, sub 8.

#include "PAL/ViewLib/MixSelectButton.h"

class flIpMixButton : public MixSelectButton {
public:
    flIpMixButton(const LayoutRecord* record, ControlPage* page);

    int32_t GetDots(Dot* dots) const override;
};
