#include "PAL/ViewLib/flHPushButton.h"

#include "PAL/BitmapCache.h"
#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flHPushButton::SetBitmaps(const char* const* items, int32_t count)
{
    m_pressedImage = count > 0 ? BitmapCache::Get(items[0]) : nullptr;
    m_normalImage = count > 1 ? BitmapCache::Get(items[1]) : nullptr;
    m_modeDigit = count > 2 ? DigitArgument(items[2]) : 0;
    m_pressed = false;
    m_value = 1.0f;  // until the page first reports a value
}

void flHPushButton::OnValueChanged(int32_t sub)
{
    if (sub != 1) {
        flPushButton::OnValueChanged(sub);
        return;
    }
    if (!m_owner)
        return;
    // NaN equals no digit: the button hides.
    const bool shown = m_owner->GetValue(m_id, 1) == float(m_modeDigit);
    SetHidden(!shown, m_owner->GetContext());
}
