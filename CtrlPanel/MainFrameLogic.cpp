#include "CtrlPanel/MainFrameLogic.h"

#include <cmath>

#include "CtrlPanel/EffectSlots.h"
#include "CtrlPanel/FramePanels.h"
#include "CtrlPanel/FrameWindow.h"
#include "CtrlPanel/VelbrinHAL.h"
#include "PAL/LinkWindow.h"
#include "PAL/MeterPage.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/PageController.h"

namespace {

// Main parameters the presets write.
constexpr int32_t kFirstInputPlaybackMix = 9;   // 9..13 "Input/Playback mix for 1&2".."9&10"
constexpr int32_t kFirstPlaybackMix = 19;       // 19..23 "Playback Mix 1&2".."9&10"
constexpr int32_t kFirstCustomInputEnable = 45; // 45..49 "Custom Input Mix Enable for 1&2".."9&10"
constexpr int32_t kFirstCustomMixEnable = 50;   // 50..54 "Custom Mix Enable for 1&2".."9&10"
constexpr int32_t kFirstCustomPlayback = 69;    // 69..93, five per output pair
constexpr int32_t kPairs = FramePanels::kPairs;
// The second reverb window opens this far below the first.
constexpr int32_t kReverbGap = 16;

}  // namespace

MainFrameLogic::MainFrameLogic(FrameWindow& window, PageController* mainController, const MainPages& pages)
    : m_window(window),
      m_main(mainController),
      m_set(mainController ? mainController->GetSet() : nullptr),
      m_pages(pages),
      m_current(pages.main),
      m_normal(pages.main)
{
}

MainFrameLogic::~MainFrameLogic()
{
    if (m_attached && m_set)
        m_set->RemoveObserver(this);
    LinkSibling(nullptr);
}

void MainFrameLogic::SetShared(FramePanels* panels, EffectSlots* slots)
{
    m_panels = panels;
    m_slots = slots;
}

void MainFrameLogic::LinkSibling(MainFrameLogic* sibling)
{
    if (m_sibling && m_sibling->m_sibling == this)
        m_sibling->m_sibling = nullptr;
    m_sibling = sibling;
    if (sibling)
        sibling->m_sibling = this;
}

void MainFrameLogic::DetachPage()
{
    if (m_attached && m_set)
        m_set->RemoveObserver(this);
    m_attached = false;
    m_window.ShowPage(nullptr);
}

void MainFrameLogic::AttachPage()
{
    if (!m_current)
        return;
    if (m_sibling) {
        int32_t width = 0, height = 0;
        m_current->GetSize(width, height);
        m_sibling->m_window.SetClientArea(width, height);
    }
    m_window.ShowPage(m_current);
    if (!m_attached && m_set) {
        m_set->AddObserver(this);
        m_attached = true;
    }
}

void MainFrameLogic::SetSampleRate(float rate)
{
    if (std::isnan(rate))
        return;
    if (rate >= kHighRate && m_current != m_pages.highRate)
        UseHighRatePage();
    else if (rate < kHighRate && m_current == m_pages.highRate)
        UseNormalPage();
}

void MainFrameLogic::SwitchPage(MeterPage* page)
{
    const bool shown = m_window.IsFrameShown();
    if (shown) {
        DetachPage();
        m_window.ShowFrame(false);
    }
    m_current = page;
    if (shown) {
        m_window.ShowFrame(true);
        AttachPage();
    }
}

void MainFrameLogic::UseHighRatePage()
{
    if (m_panels)
        for (LinkWindow* window : m_panels->effects)
            if (window)
                window->Show(false);
    SwitchPage(m_pages.highRate);
}

void MainFrameLogic::UseNormalPage()
{
    SwitchPage(m_normal);
}

void MainFrameLogic::SetMain(int32_t index, float value)
{
    if (m_main)
        m_main->SetParameter(index, value);
}

float MainFrameLogic::PlainValue(int32_t index) const
{
    return m_set ? m_set->GetParameterValue(index) : 0.0f;
}

void MainFrameLogic::OnParameterChanged(int32_t index)
{
    if (index >= kFirstCueMix && index < kFirstCueMix + kPairs && m_panels)
        OpenOrClose(m_panels->cueMix[index - kFirstCueMix], kFirstCustomMixEnable + index - kFirstCueMix);
    else if (index >= kFirstInputMix && index < kFirstInputMix + kPairs && m_panels)
        OpenOrClose(m_panels->inputMix[index - kFirstInputMix], kFirstCustomInputEnable + index - kFirstInputMix);
    else if (index >= kInput1Fx1 && index <= kInput2Fx2)
        ToggleSlot(index);
    switch (index) {
    case kReverbPanel: ReverbPanel(); break;
    case kSampleRatePanel:
        if (m_panels)
            ToggleWindow(m_panels->sampleRate);
        break;
    case kFloatMode: FloatMode(); break;
    case kShrink: Resize(true); break;
    case kExpand: Resize(false); break;
    case kSoundCardMode: SoundCardMode(); break;
    case kTrackMode: TrackMode(); break;
    case kStereoInput: StereoInput(); break;
    case kInput1FxOrder: FxOrder(0); break;
    case kInput2FxOrder: FxOrder(1); break;
    case kMetering: ShowMetering(); break;
    default: break;
    }
}

void MainFrameLogic::ToggleMetering()
{
    if (!m_set)
        return;
    SetMain(kMetering, 1.0f - m_set->GetParameter(kMetering));
    ShowMetering();
}

void MainFrameLogic::ShowMetering()
{
    // The hidden frame does not observe the set, but its menu is the one shown after "Float Mode".
    const bool on = m_set && m_set->GetParameter(kMetering) > 0.0f;
    m_window.ShowMetering(on);
    if (m_sibling)
        m_sibling->m_window.ShowMetering(on);
}

void MainFrameLogic::OpenOrClose(LinkWindow* window, int32_t enable)
{
    if (!window)
        return;
    if (window->IsShown()) {
        window->Show(false);
        return;
    }
    SetMain(enable, 1.0f);
    ShowAndRaise(window);
}

void MainFrameLogic::SetLayout(MeterPage* page)
{
    m_current = m_normal = page;
    if (m_sibling)
        m_sibling->m_current = m_sibling->m_normal = page;
}

void MainFrameLogic::Resize(bool shrink)
{
    DetachPage();
    if (shrink) {
        if (m_current == m_pages.shrink)
            SetLayout(m_pages.tiny);
        else if (m_current == m_pages.main)
            SetLayout(m_pages.shrink);
    } else {
        if (m_current == m_pages.shrink)
            SetLayout(m_pages.main);
        else if (m_current == m_pages.tiny)
            SetLayout(m_pages.shrink);
    }
    AttachPage();
}

void MainFrameLogic::FloatMode()
{
    if (!m_sibling)
        return;
    int32_t x = 0, y = 0, width = 0, height = 0;
    m_window.GetFrameRect(x, y, width, height);
    int32_t siblingX = 0, siblingY = 0, siblingWidth = 0, siblingHeight = 0;
    m_sibling->m_window.GetFrameRect(siblingX, siblingY, siblingWidth, siblingHeight);
    // The sibling takes this frame's place, its top moved by the difference of the two heights.
    m_sibling->m_window.SetFrameRect(x, y + height - siblingHeight, width, height);
    int32_t clientWidth = 0, clientHeight = 0;
    m_window.GetClientArea(clientWidth, clientHeight);
    m_sibling->m_window.SetClientArea(clientWidth, clientHeight);
    MainFrameLogic* sibling = m_sibling;
    DetachPage();
    m_window.ShowFrame(false);
    sibling->m_window.ShowFrame(true);
    sibling->AttachPage();
}

void MainFrameLogic::SoundCardMode()
{
    for (int32_t i = 0; i < kPairs; ++i) {
        for (int32_t j = 0; j < kPairs; ++j) {
            const float value = i == j ? 1.0f : 0.0f;
            SetMain(kFirstCustomPlayback + kPairs * i + j, value);
            if (m_panels && m_panels->cueMixControllers[i])
                m_panels->cueMixControllers[i]->SetParameter(j, value);
        }
        SetMain(kFirstCustomMixEnable + i, 1.0f);
        SetMain(kFirstInputPlaybackMix + i, 1.0f);
    }
}

void MainFrameLogic::TrackMode()
{
    for (int32_t k = 0; k < kPairs; ++k) {
        SetMain(kFirstCustomMixEnable + k, 0.0f);
        SetMain(kFirstPlaybackMix + k, 1.0f);
        SetMain(kFirstInputPlaybackMix + k, 0.5f);
    }
}

void MainFrameLogic::ReverbPanel()
{
    if (!m_panels)
        return;
    LinkWindow* first = m_panels->effects[kReverbWindow1];
    LinkWindow* second = m_panels->effects[kReverbWindow2];
    if (!first || !second)
        return;
    if (PlainValue(kStereoInput) > 0.0f) {
        ToggleWindow(first);
        return;
    }
    if (first->IsShown() && second->IsShown()) {
        first->Show(false);
        second->Show(false);
        return;
    }
    ShowAndRaise(first);
    int32_t x = 0, y = 0, width = 0, height = 0;
    first->GetPosition(x, y);
    first->GetSize(width, height);
    second->SetSize(x, y + height + kReverbGap, width, height);
    ShowAndRaise(second);
}

void MainFrameLogic::StereoInput()
{
    if (!m_panels || !VelbrinHAL::HasInstance() || !VelbrinHAL::GetInstance()->GetMixEngine())
        return;
    LinkWindow* const* effects = m_panels->effects;
    const int32_t inputOne[4] = {kEqWindow1, kCompressorWindow1, kAmpSimWindow1, kReverbWindow1};
    if (PlainValue(kStereoInput) > 0.0f) {
        for (int32_t window : {kEqWindow2, kCompressorWindow2, kAmpSimWindow2, kReverbWindow2})
            if (effects[window])
                effects[window]->Show(false);
        for (int32_t i = 0; i < 4; ++i)
            if (effects[inputOne[i]])
                effects[inputOne[i]]->SetCaption(FramePanels::kStereoTitles[i]);
        for (LinkWindow* window : m_panels->inputMix)
            if (window)
                window->Show(false);
        return;
    }
    for (int32_t window : inputOne)
        if (effects[window])
            effects[window]->SetCaption(FramePanels::kEffectTitles[window]);
    if (effects[kReverbWindow1] && effects[kReverbWindow1]->IsShown())
        ShowAndRaise(effects[kReverbWindow2]);
}

void MainFrameLogic::ToggleSlot(int32_t index)
{
    if (!m_slots)
        return;
    static constexpr EffectSlots::Slot kSlotOf[4] = {EffectSlots::kInput1Fx1, EffectSlots::kInput1Fx2,
                                                     EffectSlots::kInput2Fx1, EffectSlots::kInput2Fx2};
    m_slots->ToggleWindow(kSlotOf[index - kInput1Fx1]);
}

void MainFrameLogic::FxOrder(int32_t input)
{
    if (m_slots)
        m_slots->ApplyFxOrder(input);
}
