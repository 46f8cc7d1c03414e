#pragma once
// Keeps the main window's enable switch of one effect slot and the enable parameter of the effect in
// that slot equal in both directions. A slot that can hold either of two effects (EQ or amp simulator,
// chosen by a selector parameter of the main set) links only the chosen effect, switches the other
// off, and puts the chosen effect's window in the place of the other's. GUI thread only.

#include <cstdint>

#include "PAL/ParameterObserver.h"

class LinkWindow;
class ParameterLink;
class ParameterSet;

class StereoLink : public ParameterObserver {
public:
    // A one-effect slot passes no second window, selector -1, no second set and second enable -1; the
    // owner then calls Relink. A two-effect slot exchanges its windows once here for the selector's
    // value. Sets and windows are not owned and must outlive the link.
    StereoLink(ParameterSet* mainSet, int32_t switchParameter, LinkWindow* firstWindow, ParameterSet* firstSet,
               int32_t firstEnableParameter, LinkWindow* secondWindow, int32_t selectorParameter,
               ParameterSet* secondSet, int32_t secondEnableParameter);
    StereoLink(const StereoLink&) = delete;
    StereoLink& operator=(const StereoLink&) = delete;
    ~StereoLink() override;

    // Rebuilds the links: only the chosen effect follows the switch, the other is switched off.
    void Relink();
    // The switch's value tracks the linked flag; a change of the selector's choice exchanges windows.
    void OnParameterChanged(int32_t index) override;

    bool IsLinked() const { return m_linked; }
    bool IsSecondSelected() const { return m_secondSelected != 0; }
    LinkWindow* GetFirstWindow() const { return m_firstWindow; }
    // Null for a one-effect slot.
    LinkWindow* GetSecondWindow() const { return m_secondWindow; }
    int32_t GetSwitchParameter() const { return m_switchParameter; }
    // The main frame exchanges two slots' switches, then calls Relink on both.
    void SetSwitchParameter(int32_t index) { m_switchParameter = index; }

private:
    void ExchangeWindows();
    // Moves mover to place's position, keeping mover's size.
    static void MoveOnto(LinkWindow* mover, LinkWindow* place);
    void DeleteLinks(int first, int last);
    // 1 when the selector chooses the second effect.
    int32_t SelectorChoice() const;

    ParameterSet* m_mainSet;
    ParameterSet* m_firstSet;
    ParameterSet* m_secondSet;
    LinkWindow* m_firstWindow;
    LinkWindow* m_secondWindow;
    int32_t m_secondSelected = 0;
    bool m_linked = false;
    int32_t m_switchParameter;
    int32_t m_selectorParameter;
    int32_t m_firstEnableParameter;
    int32_t m_secondEnableParameter;
    ParameterLink* m_links[4] = {nullptr, nullptr, nullptr, nullptr};
};
