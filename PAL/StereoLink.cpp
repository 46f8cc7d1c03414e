#include "PAL/StereoLink.h"

#include "PAL/LinkWindow.h"
#include "PAL/ParameterLink.h"
#include "PAL/ParameterSet.h"

StereoLink::StereoLink(ParameterSet* mainSet, int32_t switchParameter, LinkWindow* firstWindow,
                       ParameterSet* firstSet, int32_t firstEnableParameter, LinkWindow* secondWindow,
                       int32_t selectorParameter, ParameterSet* secondSet, int32_t secondEnableParameter)
    : m_mainSet(mainSet),
      m_firstSet(firstSet),
      m_secondSet(secondSet),
      m_firstWindow(firstWindow),
      m_secondWindow(secondWindow),
      m_switchParameter(switchParameter),
      m_selectorParameter(selectorParameter),
      m_firstEnableParameter(firstEnableParameter),
      m_secondEnableParameter(secondEnableParameter)
{
    m_mainSet->AddObserver(this);
    m_linked = m_mainSet->GetParameter(m_switchParameter) > 0.0f;
    if (m_selectorParameter == -1 || m_selectorParameter == m_switchParameter)
        return;
    if (SelectorChoice()) {
        ExchangeWindows();
        return;
    }
    // The first effect is chosen already: its window stays as it is and the second one moves into
    // its place, hidden as before.
    MoveOnto(m_secondWindow, m_firstWindow);
    m_mainSet->SetParameter(m_switchParameter, 0.0f);
    Relink();
}

StereoLink::~StereoLink()
{
    m_mainSet->RemoveObserver(this);
    DeleteLinks(0, 3);
}

void StereoLink::MoveOnto(LinkWindow* mover, LinkWindow* place)
{
    if (!mover || !place)
        return;
    int32_t x = 0, y = 0, width = 0, height = 0;
    place->GetPosition(x, y);
    mover->GetSize(width, height);
    mover->SetSize(x, y, width, height);
}

void StereoLink::DeleteLinks(int first, int last)
{
    for (int i = first; i <= last; ++i) {
        delete m_links[i];
        m_links[i] = nullptr;
    }
}

void StereoLink::Relink()
{
    DeleteLinks(0, 3);
    m_links[0] = new ParameterLink(m_switchParameter, m_firstEnableParameter, m_mainSet, m_firstSet);
    m_links[1] = new ParameterLink(m_firstEnableParameter, m_switchParameter, m_firstSet, m_mainSet);
    if (!m_secondWindow)
        return;
    m_links[2] = new ParameterLink(m_switchParameter, m_secondEnableParameter, m_mainSet, m_secondSet);
    m_links[3] = new ParameterLink(m_secondEnableParameter, m_switchParameter, m_secondSet, m_mainSet);
    if (m_secondSelected) {
        DeleteLinks(0, 1);
        m_firstSet->SetParameter(m_firstEnableParameter, 0.0f);
    } else {
        DeleteLinks(2, 3);
        if (m_secondSet)
            m_secondSet->SetParameter(m_secondEnableParameter, 0.0f);
    }
}

void StereoLink::OnParameterChanged(int32_t index)
{
    if (index == m_switchParameter) {
        m_linked = m_mainSet->GetParameter(m_switchParameter) > 0.0f;
        return;
    }
    // A mix load notifies every parameter: an unchanged choice leaves windows and switch alone.
    if (m_selectorParameter != -1 && index == m_selectorParameter && SelectorChoice() != m_secondSelected)
        ExchangeWindows();
}

int32_t StereoLink::SelectorChoice() const
{
    return m_mainSet->GetParameter(m_selectorParameter) >= 1.0f ? 1 : 0;
}

void StereoLink::ExchangeWindows()
{
    LinkWindow* chosen = m_secondSelected ? m_secondWindow : m_firstWindow;
    LinkWindow* other = m_secondSelected ? m_firstWindow : m_secondWindow;
    if (chosen && other) {
        MoveOnto(other, chosen);
        if (chosen->IsShown())
            other->Show(true);
        chosen->Show(false);
    }
    m_secondSelected = SelectorChoice();
    m_mainSet->SetParameter(m_switchParameter, 0.0f);
    Relink();
}
