#pragma once
// What a main frame does, apart from its toolkit window: which of the four main pages it shows, the
// page's attachment (a frame observes the main set only while its page is attached), and the
// reactions to the main window's command controls (open and close panel windows, change the layout,
// hand the view to the other frame, preset groups of mixer values, change an input's effect order).
//
// Each frame has one; the two are siblings and move their layout together. Only the attached frame
// reacts to a change, so each change is handled once. Except where a reaction reads its parameter,
// every change acts as a press. GUI thread only.

#include <cstdint>

#include "PAL/ParameterObserver.h"

class EffectSlots;
class FrameWindow;
class LinkWindow;
class MeterPage;
class PageController;
class ParameterSet;
struct FramePanels;

struct MainPages {
    MeterPage* main = nullptr;
    MeterPage* shrink = nullptr;
    MeterPage* tiny = nullptr;
    MeterPage* highRate = nullptr;
};

class MainFrameLogic : public ParameterObserver {
public:
    // From this rate (Hz) on the frames show the high-rate page.
    static constexpr float kHighRate = 176400.0f;

    // Main parameters the reactions answer to.
    enum Command : int32_t {
        kStereoInput = 24,
        kInput1FxOrder = 67,
        kInput2FxOrder = 68,
        kFirstCueMix = 94,    // 94..98 "Cue Mix 1".."Cue Mix 5"
        kFirstInputMix = 99,  // 99..103 "Input Mix 1".."Input Mix 5"
        kInput1Fx1 = 144,     // 144..147 the effect-slot buttons
        kInput1Fx2 = 145,
        kInput2Fx1 = 146,
        kInput2Fx2 = 147,
        kSoundCardMode = 150,
        kShrink = 151,
        kExpand = 152,
        kTrackMode = 153,
        kFloatMode = 154,
        kSampleRatePanel = 155,
        kReverbPanel = 156,
        kMetering = 163,
    };

    // The page starts as the main page. Neither the window, the controller nor the pages are owned.
    MainFrameLogic(FrameWindow& window, PageController* mainController, const MainPages& pages);
    ~MainFrameLogic() override;
    MainFrameLogic(const MainFrameLogic&) = delete;
    MainFrameLogic& operator=(const MainFrameLogic&) = delete;

    // The shared panel windows and effect slots (not owned; null until made).
    void SetShared(FramePanels* panels, EffectSlots* slots);
    // Makes the two frames siblings; null unlinks this frame (and its sibling's link back).
    void LinkSibling(MainFrameLogic* sibling);

    // Stops observing the main set and lets go of the page. Idempotent.
    void DetachPage();
    // Gives the sibling the current page's size, shows the current page and observes the main set.
    // Idempotent: an attached frame is not registered twice.
    void AttachPage();
    bool IsAttached() const { return m_attached; }

    // The high-rate page from kHighRate on, the normal page below it; NaN changes nothing.
    void SetSampleRate(float rate);
    // Hides the effect windows and shows the high-rate page; the normal page is kept.
    void UseHighRatePage();
    // Back to the normal page; the effect windows stay closed.
    void UseNormalPage();

    // The reaction to a change of main parameter index.
    void OnParameterChanged(int32_t index) override;
    // The "Use Metering" menu command: flips main parameter 163 and shows the new state.
    void ToggleMetering();

    MeterPage* GetCurrentPage() const { return m_current; }
    MeterPage* GetNormalPage() const { return m_normal; }

private:
    void SetMain(int32_t index, float value);
    // Both frames' "Use Metering" state follows parameter 163.
    void ShowMetering();
    float PlainValue(int32_t index) const;
    // The current and normal page of this frame and its sibling.
    void SetLayout(MeterPage* page);
    void Resize(bool shrink);
    void FloatMode();
    // A custom-mix window: an open one closes; a closed one gets its enable switched on, opens and
    // comes to the front.
    void OpenOrClose(LinkWindow* window, int32_t enable);
    void SoundCardMode();
    void TrackMode();
    void ReverbPanel();
    void StereoInput();
    void ToggleSlot(int32_t slot);
    void FxOrder(int32_t input);
    // Restarts the frame on its current page: when shown, hides, switches, shows and attaches again.
    void SwitchPage(MeterPage* page);

    FrameWindow& m_window;
    PageController* m_main;
    ParameterSet* m_set;
    MainPages m_pages;
    MeterPage* m_current;
    MeterPage* m_normal;
    MainFrameLogic* m_sibling = nullptr;
    FramePanels* m_panels = nullptr;
    EffectSlots* m_slots = nullptr;
    bool m_attached = false;
};
