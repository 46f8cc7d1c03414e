#include "PAL/ParameterLink.h"

#include "PAL/ParameterSet.h"

ParameterLink::ParameterLink(int32_t sourceIndex, int32_t targetIndex, ParameterSet* sourceSet,
                             ParameterSet* targetSet)
    : m_sourceIndex(sourceIndex), m_targetIndex(targetIndex), m_sourceSet(sourceSet), m_targetSet(targetSet)
{
    if (m_sourceSet)
        m_sourceSet->AddObserver(this);
}

ParameterLink::~ParameterLink()
{
    if (m_sourceSet)
        m_sourceSet->RemoveObserver(this);
}

void ParameterLink::OnParameterChanged(int32_t index)
{
    if (index != m_sourceIndex || !m_sourceSet || !m_targetSet)
        return;
    const float v = m_sourceSet->GetParameter(m_sourceIndex);
    if (v != m_targetSet->GetParameter(m_targetIndex))
        m_targetSet->SetParameter(m_targetIndex, v);
}
