#include "PAL/ViewLib/flCueMixButton.h"

namespace {

constexpr int32_t kSelector = 5, kCustomEnable = 11, kPlaybackLevels = 6, kDots = 5;

}  // namespace

flCueMixButton::flCueMixButton(const LayoutRecord* record, ControlPage* page)
    : MixSelectButton(record, page, kSelector)
{
}

int32_t flCueMixButton::GetDots(Dot* dots) const
{
    const int32_t first = m_values[kCustomEnable] != 0.0f ? 0 : kPlaybackLevels;
    for (int32_t i = 0; i < kDots; ++i)
        dots[i] = Dot{6 + 3 * i, m_values[first + i]};
    return kDots;
}
