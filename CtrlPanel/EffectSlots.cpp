#include "CtrlPanel/EffectSlots.h"

#include <utility>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "PAL/ParameterSet.h"
#include "PAL/StereoLink.h"
#include "PAL/ViewLib/PageController.h"

namespace {

// Positions in the mix-block order of the effect controllers.
enum Block { kEq1 = 1, kEq2 = 2, kCompressor1 = 3, kCompressor2 = 4, kAmpSim1 = 5, kAmpSim2 = 6 };

ParameterSet* SetOf(PageController* controller)
{
    return controller ? controller->GetSet() : nullptr;
}

}  // namespace

EffectSlots::EffectSlots(ParameterSet* mainSet, const FramePanels& panels, PageController* const effects[8],
                         ParamWriter* fxOrder)
    : m_main(mainSet), m_fxOrder(fxOrder)
{
    const int32_t compressorEnable = CompressorPanel::GetEnableParameterIndex(0);
    const int32_t eqEnable = EqPanel::GetEnableParameterIndex(0);
    const int32_t ampEnable = AmpSimPanel::GetEnableParameterIndex(0);
    for (int32_t input = 0; input < 2; ++input) {
        const int32_t fx1 = input == 0 ? kInput1Fx1 : kInput2Fx1;
        const int32_t fx2 = input == 0 ? kInput1Fx2 : kInput2Fx2;
        m_links[fx1] = std::make_unique<StereoLink>(
            mainSet, kFirstSwitch + 2 * input, panels.effects[kCompressorWindow1 + input],
            SetOf(effects[kCompressor1 + input]), compressorEnable, nullptr, -1, nullptr, -1);
        m_links[fx2] = std::make_unique<StereoLink>(
            mainSet, kFirstSwitch + 2 * input + 1, panels.effects[kEqWindow1 + input], SetOf(effects[kEq1 + input]),
            eqEnable, panels.effects[kAmpSimWindow1 + input], kFirstSelector + input,
            SetOf(effects[kAmpSim1 + input]), ampEnable);
    }
    for (int32_t slot = 0; slot < kSlotCount; ++slot)
        m_slots[slot] = m_links[slot].get();
}

EffectSlots::~EffectSlots() = default;

void EffectSlots::ExchangeSwitches(Slot a, Slot b)
{
    StereoLink* first = m_slots[a];
    StereoLink* second = m_slots[b];
    const int32_t switchOfFirst = first->GetSwitchParameter();
    first->SetSwitchParameter(second->GetSwitchParameter());
    second->SetSwitchParameter(switchOfFirst);
    first->Relink();
    second->Relink();
    for (StereoLink* link : {first, second})
        m_main->SetParameter(link->GetSwitchParameter(), link->IsLinked() ? 1.0f : 0.0f);
}

void EffectSlots::Settle()
{
    for (const auto& pair : {std::make_pair(kInput1Fx1, kInput2Fx1), std::make_pair(kInput1Fx2, kInput2Fx2)}) {
        ExchangeSwitches(pair.first, pair.second);
        ExchangeSwitches(pair.first, pair.second);
    }
}

void EffectSlots::ToggleWindow(Slot slot)
{
    const StereoLink* link = m_slots[slot];
    if (!link)
        return;
    const bool second = link->GetSecondWindow() && link->IsSecondSelected();
    ::ToggleWindow(second ? link->GetSecondWindow() : link->GetFirstWindow());
}

bool EffectSlots::IsCompressorFirst(int32_t input) const
{
    const StereoLink* fx1 = m_slots[input == 0 ? kInput1Fx1 : kInput2Fx1];
    return fx1 && !fx1->GetSecondWindow();
}

void EffectSlots::ApplyFxOrder(int32_t input)
{
    if (input != 0 && input != 1)
        return;
    const bool compressorFirst = m_main->GetParameterValue(kFirstOrder + input) > 0.5f;
    // Sent also when the slots already agree: the unit may hold another order from an earlier session.
    if (m_fxOrder)
        m_fxOrder->SetFloat(uint32_t(input), compressorFirst ? 1.0f : 0.0f);
    if (compressorFirst == IsCompressorFirst(input))
        return;
    const Slot fx1 = input == 0 ? kInput1Fx1 : kInput2Fx1;
    const Slot fx2 = input == 0 ? kInput1Fx2 : kInput2Fx2;
    ExchangeSwitches(fx1, fx2);
    std::swap(m_slots[fx1], m_slots[fx2]);
}
