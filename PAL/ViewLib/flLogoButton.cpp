#include "PAL/ViewLib/flLogoButton.h"

#include "PAL/ViewLib/ButtonRules.h"
#include "PAL/ViewLib/ControlPage.h"

void flLogoButton::OnMouseDown(int32_t, int32_t, int32_t, bool pressed, DrawContext*)
{
    if (pressed)
        m_tracking = true;
}

void flLogoButton::OnValueChanged(int32_t sub)
{
    if (sub == 0 && m_owner)
        m_value = m_owner->GetValue(m_id, 0);
}

void flLogoButton::OnRelease(DrawContext* context)
{
    const bool acts = ReleaseActs(*this, context);
    m_tracking = false;
    if (acts && m_owner) {
        m_value = Toggled(m_value);
        m_owner->SetValue(m_id, 0, m_value);
    }
}

void flLogoButton::SetHidden(bool hidden, DrawContext* context)
{
    if (hidden && !m_hidden)
        m_tracking = false;
    View::SetHidden(hidden, context);
}
