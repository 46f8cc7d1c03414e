#pragma once
// The two effect slots ("FX 1", "FX 2") of each analog input: four stereo links that tie the main
// window's enable switches (61..64) to the enable parameters of the effects in the slots, and the
// effect order of each input. By default slot FX 1 holds the compressor and slot FX 2 the EQ or the
// amp simulator (selector 65 / 66); reversing an input's order exchanges its two slots.
//
// The order is a state: main parameter 67 (input 1) or 68 (input 2) at 1 puts the compressor first,
// at 0 the EQ / amp simulator. The device learns the order through the FX-order writer block (entry 0
// input 1, entry 1 input 2; 1.0 compressor first, 0.0 EQ / amp simulator first).
//
// Shared by both main frames; the first frame owns it. GUI thread only.

#include <cstdint>
#include <memory>

#include "CtrlPanel/FramePanels.h"

class PageController;
class ParameterSet;
class ParamWriter;
class StereoLink;

class EffectSlots {
public:
    enum Slot : int32_t { kInput1Fx1 = 0, kInput2Fx1, kInput1Fx2, kInput2Fx2, kSlotCount };
    // The main parameters.
    static constexpr int32_t kFirstSwitch = 61;     // 61 "Input 1 FX1 Enable" .. 64 "Input 2 FX2 Enable"
    static constexpr int32_t kFirstSelector = 65;   // 65, 66 "Input n EQ/AmpSim Switch"
    static constexpr int32_t kFirstOrder = 67;      // 67, 68 "Input n FX Order"

    // effects: the application's eight effect controllers in mix-block order (reverb 1, EQ 1, EQ 2,
    // compressor 1, compressor 2, amp simulator 1, amp simulator 2, reverb 2). Nothing is owned but
    // the links; everything else must outlive this object.
    EffectSlots(ParameterSet* mainSet, const FramePanels& panels, PageController* const effects[8],
                ParamWriter* fxOrder);
    ~EffectSlots();
    EffectSlots(const EffectSlots&) = delete;
    EffectSlots& operator=(const EffectSlots&) = delete;

    // Brings every effect's enable parameter in line with its slot's switch (the first frame does this
    // once, after making the links).
    void Settle();
    // Toggles the window of the effect the slot's link has chosen.
    void ToggleWindow(Slot slot);
    // Brings input (0 or 1) into the order its order parameter says: the order goes to the device, and
    // the two slots are exchanged when they hold the other order. Applying twice changes nothing more.
    void ApplyFxOrder(int32_t input);
    bool IsCompressorFirst(int32_t input) const;

    StereoLink* Get(Slot slot) const { return m_slots[slot]; }

private:
    // Exchanges the switch parameters of the links in slots a and b, relinks both, and writes each
    // link's linked flag into its new switch.
    void ExchangeSwitches(Slot a, Slot b);

    ParameterSet* m_main;
    ParamWriter* m_fxOrder;
    StereoLink* m_slots[kSlotCount] = {};
    std::unique_ptr<StereoLink> m_links[kSlotCount];
};
