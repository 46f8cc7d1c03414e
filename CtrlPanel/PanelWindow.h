#pragma once
// The window of the sample-rate panel. It owns the panel and, while shown, lets it refresh from the
// device on every tick before the window's own tick; a hidden window's panel follows nothing until it
// is shown again. The window takes the page's size. GUI thread only.

#include <memory>

#include "PAL/wx/SkinWindow.h"

class PageController;
class ResourceArchive;

class PanelWindow : public SkinWindow {
public:
    static constexpr const char* kTitle = " Sample Rate";

    // archive: the loaded resource archive the panel shares; null makes a window without a panel.
    PanelWindow(const ResourceArchive* archive, wxWindow* parent, const wxString& title, long style);
    ~PanelWindow() override;

    // While shown and with a panel: the panel's idle work (its refresh from the device); the window's
    // own tick follows.
    void OnTick() override;

    PageController* GetPanel() const { return m_panel.get(); }

private:
    std::unique_ptr<PageController> m_panel;
};
