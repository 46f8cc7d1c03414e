#include "CtrlPanel/VelbrinControlFrame.h"

#include <wx/menu.h>

#include "CtrlPanel/AboutText.h"
#include "CtrlPanel/AppCore.h"
#include "CtrlPanel/CustomCueMixWindow.h"
#include "CtrlPanel/CustomMixWindow.h"
#include "CtrlPanel/EffectSlots.h"
#include "CtrlPanel/PanelWindow.h"
#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/MeterPage.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/MessageSink.h"
#include "platform/wx/DesktopLaunch.h"
#include "platform/wx/KeepAbove.h"

// clang-format off
wxBEGIN_EVENT_TABLE(VelbrinControlFrame, SkinWindow)
    EVT_MENU(VelbrinControlFrame::kAboutId, VelbrinControlFrame::OnAbout)
    EVT_MENU(VelbrinControlFrame::kSupportId, VelbrinControlFrame::OnWebLink)
    EVT_MENU(VelbrinControlFrame::kUpdatesId, VelbrinControlFrame::OnWebLink)
    EVT_MENU(VelbrinControlFrame::kMeteringId, VelbrinControlFrame::OnUseMetering)
    EVT_SET_FOCUS(VelbrinControlFrame::OnSetFocus)
    EVT_ACTIVATE(VelbrinControlFrame::OnActivateFrame)
    EVT_SHOW(VelbrinControlFrame::OnShowFrame)
    EVT_CLOSE(VelbrinControlFrame::OnCloseFrame)
wxEND_EVENT_TABLE()
// clang-format on

namespace {

struct EffectWindowShape {
    EffectWindowIndex index;
    int32_t block;       // the effect controller it shows
    uint32_t meterGroup; // 0: none
};

// In the order the windows are made.
constexpr EffectWindowShape kEffectWindows[kEffectWindowCount] = {
    {kReverbWindow1, AppCore::kReverb1Block, 0},     {kReverbWindow2, AppCore::kReverb2Block, 0},
    {kEqWindow1, AppCore::kEq1Block, 4},             {kEqWindow2, AppCore::kEq2Block, 5},
    {kCompressorWindow1, AppCore::kCompressor1Block, 2}, {kCompressorWindow2, AppCore::kCompressor2Block, 3},
    {kAmpSimWindow1, AppCore::kAmpSim1Block, 6},     {kAmpSimWindow2, AppCore::kAmpSim2Block, 7},
};

MeterList* HalMeters()
{
    return VelbrinHAL::HasInstance() ? VelbrinHAL::GetInstance()->GetMeterList() : nullptr;
}

}  // namespace

VelbrinControlFrame::VelbrinControlFrame(AppCore& core, long style, VelbrinControlFrame* sibling,
                                         MessageSink& messages)
    : SkinWindow(nullptr, 0, kTitle, style, nullptr, 0),
      m_logic(*this, core.GetMainController(), core.GetPages()),
      m_messages(messages),
      m_meters(HalMeters())
{
    BuildHelpMenu();
    SetView(m_logic.GetCurrentPage());
    if (!sibling) {
        MakePanels(core);
    } else {
        m_windows = sibling->m_windows;
        m_panels = sibling->m_panels;
        m_slots = sibling->m_slots;
        m_sibling = sibling;
        sibling->m_sibling = this;
        m_logic.LinkSibling(&sibling->m_logic);
    }
    m_logic.SetShared(m_panels, m_slots);
    if (VelbrinHAL::HasInstance())
        m_logic.SetSampleRate(float(VelbrinHAL::GetInstance()->GetSampleRate()));
}

VelbrinControlFrame::~VelbrinControlFrame()
{
    m_logic.DetachPage();
    VelbrinControlFrame* sibling = m_sibling;
    m_sibling = nullptr;
    m_logic.LinkSibling(nullptr);
    if (sibling) {
        sibling->m_sibling = nullptr;
        delete sibling;
    }
    if (!m_ownWindows) {
        // They went with the sibling.
        m_windows = nullptr;
        m_panels = nullptr;
    }
    // The links go before the windows they point at (children of this frame, destroyed by the base).
    m_logic.SetShared(nullptr, nullptr);
    m_ownSlots.reset();
}

void VelbrinControlFrame::BuildHelpMenu()
{
    m_helpMenu = new wxMenu;
    m_helpMenu->Append(kAboutId, "&About VelbrinControl\tF1");
    m_helpMenu->Append(kSupportId, "Online support");
    m_helpMenu->Append(kUpdatesId, "Updates && downloads");
    m_helpMenu->AppendSeparator();
    m_helpMenu->AppendCheckItem(kMeteringId, "Use Metering");
    auto* bar = new wxMenuBar;
    bar->Append(m_helpMenu, "Help");
    SetMenuBar(bar);
}

void VelbrinControlFrame::MakePanels(AppCore& core)
{
    m_ownWindows = std::make_unique<Windows>();
    m_ownPanels = std::make_unique<FramePanels>();
    m_windows = m_ownWindows.get();
    m_panels = m_ownPanels.get();
    PageController* main = core.GetMainController();
    for (int32_t pair = 0; pair < FramePanels::kPairs; ++pair) {
        m_windows->inputMix[pair] = new CustomMixWindow(CustomMixPage::MainBase(pair), main, this,
                                                        CustomMixWindow::TitleFor(pair), kPanelStyle);
        m_windows->cueMix[pair] = new CustomCueMixWindow(CustomCueMixPage::MainBase(pair), main, this,
                                                         CustomCueMixWindow::TitleFor(pair), kPanelStyle);
        m_panels->inputMix[pair] = m_windows->inputMix[pair];
        m_panels->cueMix[pair] = m_windows->cueMix[pair];
        m_panels->cueMixControllers[pair] = m_windows->cueMix[pair]->GetOwnController();
    }
    for (const EffectWindowShape& shape : kEffectWindows) {
        MeterGroups* groups = shape.meterGroup ? m_meters : nullptr;
        auto* window = new SkinWindow(this, wxID_ANY, wxString::FromUTF8(FramePanels::kEffectTitles[shape.index]),
                                      kPanelStyle, groups, int32_t(shape.meterGroup));
        m_windows->effects[shape.index] = window;
        m_panels->effects[shape.index] = window;
    }
    if (m_meters)
        m_meters->SetEnabled(kMainMeterGroup, true);
    PageController* effects[AppCore::kEffectCount] = {};
    for (int32_t block = 0; block < AppCore::kEffectCount; ++block)
        effects[block] = core.GetEffect(block);
    for (const EffectWindowShape& shape : kEffectWindows)
        if (effects[shape.block])
            m_windows->effects[shape.index]->SetView(effects[shape.block]->GetPage());
    m_windows->sampleRate = new PanelWindow(&ResourceArchive::Global(), this, PanelWindow::kTitle, kPanelStyle);
    m_panels->sampleRate = m_windows->sampleRate;
    for (int32_t pair = 0; pair < FramePanels::kPairs; ++pair) {
        FloatAbove(m_windows->inputMix[pair]);
        FloatAbove(m_windows->cueMix[pair]);
    }
    for (SkinWindow* window : m_windows->effects)
        FloatAbove(window);
    FloatAbove(m_windows->sampleRate);
    m_ownSlots = std::make_unique<EffectSlots>(core.GetMainController()->GetSet(), *m_panels, effects,
                                               core.GetWriter(AppCore::kFxOrderWriter));
    m_ownSlots->Settle();
    m_slots = m_ownSlots.get();
}

void VelbrinControlFrame::FloatAbove(wxTopLevelWindow* window)
{
    if (!window || !m_windows)
        return;
    m_windows->above.emplace_back(window);
    // A panel gets its desktop window when first shown, transient for its parent, which is the hidden
    // frame while the other one is shown: every show hands it to the shown frame.
    window->Bind(wxEVT_SHOW, &VelbrinControlFrame::OnPanelShown, this);
    if (VelbrinControlFrame* shown = ShownFrame())
        KeepAbove(*window, *shown);
}

VelbrinControlFrame* VelbrinControlFrame::ShownFrame()
{
    if (IsShown())
        return this;
    return m_sibling && m_sibling->IsShown() ? m_sibling : nullptr;
}

bool VelbrinControlFrame::Show(bool show)
{
    if (!show && m_windows && IsShown()) {
        // The window manager may restack the panels while no frame is shown: the order they have now
        // is the one they get back over the next frame shown.
        std::vector<wxTopLevelWindow*> windows = AboveWindows();
        SortByStacking(windows);
        m_windows->above.assign(windows.begin(), windows.end());
    }
    return SkinWindow::Show(show);
}

std::vector<wxTopLevelWindow*> VelbrinControlFrame::AboveWindows() const
{
    std::vector<wxTopLevelWindow*> windows;
    if (m_windows)
        for (wxTopLevelWindow* window : m_windows->above)
            if (window)
                windows.push_back(window);
    return windows;
}

void VelbrinControlFrame::OnShowFrame(wxShowEvent& event)
{
    event.Skip();
    // The frame was mapped over the open panels.
    if (event.IsShown())
        KeepAllAbove(AboveWindows(), *this);
}

void VelbrinControlFrame::OnPanelShown(wxShowEvent& event)
{
    event.Skip();
    auto* window = dynamic_cast<wxTopLevelWindow*>(event.GetEventObject());
    VelbrinControlFrame* shown = event.IsShown() ? ShownFrame() : nullptr;
    if (window && shown)
        KeepAbove(*window, *shown);
}

void VelbrinControlFrame::OnTick()
{
    MeterPage* page = m_logic.GetCurrentPage();
    if (page && m_meters && GetView() == page)
        page->SetMeterLevels(m_meters);
}

void VelbrinControlFrame::GetFrameRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height)
{
    wxFrame::GetPosition(&x, &y);
    wxFrame::GetSize(&width, &height);
}

void VelbrinControlFrame::SetFrameRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    wxFrame::SetSize(x, y, width, height, wxSIZE_AUTO);
}

void VelbrinControlFrame::GetClientArea(int32_t& width, int32_t& height)
{
    GetClientSize(&width, &height);
}

void VelbrinControlFrame::SetClientArea(int32_t width, int32_t height)
{
    SetClientSize(width, height);
}

void VelbrinControlFrame::ShowMetering(bool on)
{
    if (m_helpMenu)
        m_helpMenu->Check(kMeteringId, on);
    if (m_meters)
        m_meters->SetDisabled(!on);
}

void VelbrinControlFrame::FollowMix(VelbrinControlFrame* floating, VelbrinControlFrame* standard,
                                    PageController* main, bool loaded)
{
    VelbrinControlFrame* frame = standard ? standard : floating;
    if (!frame || !main)
        return;
    if (loaded) {
        for (int32_t pair = 0; pair < FramePanels::kPairs; ++pair) {
            PageController* input = frame->GetInputMixWindow(pair)->GetOwnController();
            for (int32_t j = 0; j < input->GetParameterCount(); ++j)
                input->SetParameter(j, main->GetParameter(CustomMixPage::MainBase(pair) + j));
            PageController* cue = frame->GetCueMixWindow(pair)->GetOwnController();
            for (int32_t j = 0; j < cue->GetParameterCount(); ++j)
                cue->SetParameter(j, main->GetParameter(CustomCueMixPage::MainBase(pair) + j));
        }
        if (VelbrinHAL::HasInstance()) {
            VelbrinHAL* hal = VelbrinHAL::GetInstance();
            hal->SetStereo(hal->GetMixEngine()->IsStereoInput());
        }
    }
    for (VelbrinControlFrame* each : {floating, standard})
        if (each)
            each->OnParameterChanged(MainFrameLogic::kMetering);
    frame->OnParameterChanged(MainFrameLogic::kInput1FxOrder);
    frame->OnParameterChanged(MainFrameLogic::kInput2FxOrder);
    frame->OnParameterChanged(MainFrameLogic::kStereoInput);
}

std::string VelbrinControlFrame::AboutBoxText()
{
    return AboutText::Build(VelbrinHAL::HasInstance() ? VelbrinHAL::GetInstance() : nullptr);
}

std::string VelbrinControlFrame::UrlFor(int menuId)
{
    if (menuId == kSupportId)
        return kSupportUrl;
    if (menuId == kUpdatesId)
        return kUpdatesUrl;
    return std::string();
}

void VelbrinControlFrame::OnAbout(wxCommandEvent&)
{
    m_messages.ShowMessage(AboutBoxText(), "VelbrinControl", MessageStyle::Ok | MessageStyle::IconInformation);
}

void VelbrinControlFrame::OnWebLink(wxCommandEvent& event)
{
    const std::string url = UrlFor(event.GetId());
    if (!url.empty())
        OpenWebPage(url);
}

void VelbrinControlFrame::OnUseMetering(wxCommandEvent&)
{
    m_logic.ToggleMetering();
}

void VelbrinControlFrame::OnSetFocus(wxFocusEvent&)
{
    if (m_meters)
        m_meters->MoveToFront(kMainMeterGroup);
}

void VelbrinControlFrame::OnActivateFrame(wxActivateEvent& event)
{
    // A frame without child windows gets no focus event on this desktop; activation stands in for it.
    if (event.GetActive() && m_meters)
        m_meters->MoveToFront(kMainMeterGroup);
    event.Skip();
}

void VelbrinControlFrame::OnCloseFrame(wxCloseEvent&)
{
    Destroy();
}
