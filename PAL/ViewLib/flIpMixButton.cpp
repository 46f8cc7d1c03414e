#include "PAL/ViewLib/flIpMixButton.h"

#include <algorithm>

#include "PAL/ViewLib/UnitValue.h"

namespace {

constexpr int32_t kSelector = 8, kBalance = 9, kProcessed = 10, kCustomEnable = 11, kDots = 4;

}  // namespace

flIpMixButton::flIpMixButton(const LayoutRecord* record, ControlPage* page)
    : MixSelectButton(record, page, kSelector)
{
}

int32_t flIpMixButton::GetDots(Dot* dots) const
{
    float levels[kDots] = {};
    if (m_values[kCustomEnable] != 0.0f) {
        std::copy(m_values, m_values + kDots, levels);
    } else {
        const float balance = SanitiseUnit(m_values[kBalance]);
        const int32_t left = m_values[kProcessed] != 0.0f ? 2 : 0;
        levels[left] = std::min(1.0f, 2.0f * (1.0f - balance));
        levels[left + 1] = std::min(1.0f, 2.0f * balance);
    }
    for (int32_t i = 0; i < kDots; ++i)
        dots[i] = Dot{6 + 4 * i, levels[i]};
    return kDots;
}
