#include "PAL/ParameterForwarder.h"

#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/PageController.h"

ParameterForwarder::~ParameterForwarder()
{
    StopForwarding();
}

void ParameterForwarder::StartForwarding(PageController* source, int32_t base, PageController* target)
{
    StopForwarding();
    m_source = source;
    m_base = base;
    m_target = target;
    if (ParameterSet* set = m_source ? m_source->GetSet() : nullptr)
        set->AddObserver(this);
}

void ParameterForwarder::StopForwarding()
{
    if (ParameterSet* set = m_source ? m_source->GetSet() : nullptr)
        set->RemoveObserver(this);
    m_source = nullptr;
}

void ParameterForwarder::OnParameterChanged(int32_t index)
{
    ForwardParameter(index);
}

void ParameterForwarder::ForwardParameter(int32_t index)
{
    if (m_source && m_target)
        m_target->SetParameter(m_base + index, m_source->GetParameter(index));
}
