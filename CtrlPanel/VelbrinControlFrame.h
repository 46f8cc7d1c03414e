#pragma once
// The main mixer window. The application makes two on the same pages: the floating frame (a small
// tool window that stays on top) and the standard frame. One is shown at a time; "Float Mode" hands
// the view from one to the other. The first frame made creates every panel window (ten custom-mix
// windows, eight effect windows, the sample-rate window) and the effect slots' links; the second
// shares them. The frame carries the Help menu (About, two web pages, "Use Metering"), pushes the
// meter levels into its page on every tick, and follows the device's rate between the normal and the
// high-rate page. Its reactions to the main set are MainFrameLogic's. The panel windows stay above
// whichever frame is shown.
//
// Closing either frame destroys both, with the panel windows. GUI thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <wx/weakref.h>

#include "CtrlPanel/FramePanels.h"
#include "CtrlPanel/FrameWindow.h"
#include "CtrlPanel/MainFrameLogic.h"
#include "PAL/wx/SkinWindow.h"

class AppCore;
class CustomCueMixWindow;
class CustomMixWindow;
class EffectSlots;
class MessageSink;
class MeterList;
class PageController;
class PanelWindow;
class wxMenu;

class VelbrinControlFrame : public SkinWindow, public FrameWindow {
public:
    // The Help menu's items.
    enum MenuId : int { kAboutId = 5013, kSupportId = 5014, kUpdatesId = 5015, kMeteringId = 5016 };

    static constexpr long kFloatingStyle = wxCAPTION | wxSTAY_ON_TOP | wxSYSTEM_MENU | wxFRAME_TOOL_WINDOW;
    static constexpr long kStandardStyle = wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxMINIMIZE_BOX;
    static constexpr long kPanelStyle =
        wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW;
    static constexpr const char* kTitle = " VelbrinControl";
    static constexpr const char* kSupportUrl = "https://www.brennimar.example/support";
    static constexpr const char* kUpdatesUrl = "https://www.brennimar.example/updates-and-downloads";
    // The meter group of the main window's meters.
    static constexpr uint32_t kMainMeterGroup = 1;

    // core: the device side (main controller, pages, effect panels, FX-order writer), built. sibling:
    // null for the first frame, which makes the panel windows; else the first frame. messages shows the
    // About box. Made hidden, showing the main page, not yet observing the main set.
    VelbrinControlFrame(AppCore& core, long style, VelbrinControlFrame* sibling, MessageSink& messages);
    ~VelbrinControlFrame() override;

    MainFrameLogic& Logic() { return m_logic; }
    void DetachPage() { m_logic.DetachPage(); }
    void AttachPage() { m_logic.AttachPage(); }
    void SetSampleRate(float rate) { m_logic.SetSampleRate(rate); }
    void OnParameterChanged(int32_t index) { m_logic.OnParameterChanged(index); }

    // Hands the meter levels to the current page, then the window's tick runs.
    void OnTick() override;
    // A frame that hides keeps the panels' stacking for the frame shown next.
    bool Show(bool show = true) override;
    // window (not owned; a top-level window other than the panels, which the first frame gives here
    // itself) stays above whichever frame is shown.
    void FloatAbove(wxTopLevelWindow* window);

    // FrameWindow.
    bool IsFrameShown() override { return wxFrame::IsShown(); }
    void ShowFrame(bool show) override { Show(show); }
    void GetFrameRect(int32_t& x, int32_t& y, int32_t& width, int32_t& height) override;
    void SetFrameRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void GetClientArea(int32_t& width, int32_t& height) override;
    void SetClientArea(int32_t width, int32_t height) override;
    void ShowPage(ControlPage* page) override { SetView(page); }
    void ShowMetering(bool on) override;

    // The shared windows.
    const FramePanels& GetPanels() const { return *m_panels; }
    CustomMixWindow* GetInputMixWindow(int32_t pair) const { return m_windows->inputMix[pair]; }
    CustomCueMixWindow* GetCueMixWindow(int32_t pair) const { return m_windows->cueMix[pair]; }
    SkinWindow* GetEffectWindow(int32_t index) const { return m_windows->effects[index]; }
    PanelWindow* GetSampleRateWindow() const { return m_windows->sampleRate; }
    EffectSlots* GetSlots() const { return m_slots; }
    wxMenu* GetHelpMenu() const { return m_helpMenu; }

    // What follows a mix load (start-up, dialog, open request) while the frames are detached. When
    // values were loaded: the custom-mix windows take the loaded custom-mix values and the unit its
    // input mode. Always: both frames show the metering switch, and the effect order, the stereo
    // titles and windows follow the main set. Either frame may be null.
    static void FollowMix(VelbrinControlFrame* floating, VelbrinControlFrame* standard, PageController* main,
                          bool loaded);

    // The text of the About box as it would be shown now.
    static std::string AboutBoxText();
    // The web page of a Help menu item; empty for an item without one.
    static std::string UrlFor(int menuId);

protected:
    void OnAbout(wxCommandEvent& event);
    void OnWebLink(wxCommandEvent& event);
    void OnUseMetering(wxCommandEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnActivateFrame(wxActivateEvent& event);
    void OnCloseFrame(wxCloseEvent& event);
    // A frame that shows keeps every panel window above itself.
    void OnShowFrame(wxShowEvent& event);
    void OnPanelShown(wxShowEvent& event);

private:
    // The panel windows with their own types, shared like FramePanels.
    struct Windows {
        CustomMixWindow* inputMix[FramePanels::kPairs] = {};
        CustomCueMixWindow* cueMix[FramePanels::kPairs] = {};
        SkinWindow* effects[kEffectWindowCount] = {};
        PanelWindow* sampleRate = nullptr;
        // What stays above the shown frame: the panels and the windows given to FloatAbove, lowest
        // first as they were stacked when a frame was last hidden.
        std::vector<wxWeakRef<wxTopLevelWindow>> above;
    };

    void BuildHelpMenu();
    // The first frame's panel windows and effect slots.
    void MakePanels(AppCore& core);
    // This frame or its sibling, whichever is shown; null when neither is.
    VelbrinControlFrame* ShownFrame();
    // The windows that stay above the shown frame, in the order they were stacked last.
    std::vector<wxTopLevelWindow*> AboveWindows() const;

    MainFrameLogic m_logic;
    MessageSink& m_messages;
    MeterList* m_meters = nullptr;
    wxMenu* m_helpMenu = nullptr;
    VelbrinControlFrame* m_sibling = nullptr;
    // Owned by the first frame; the second points at its sibling's.
    std::unique_ptr<Windows> m_ownWindows;
    std::unique_ptr<FramePanels> m_ownPanels;
    std::unique_ptr<EffectSlots> m_ownSlots;
    Windows* m_windows = nullptr;
    FramePanels* m_panels = nullptr;
    EffectSlots* m_slots = nullptr;

    wxDECLARE_EVENT_TABLE();
};
