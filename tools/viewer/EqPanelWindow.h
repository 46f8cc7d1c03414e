#pragma once
// The EQ of input 1 live on the simulated unit: the panel writes its block through the HAL, its meters
// follow the unit's, and after each change, once the block is drained, the unit's EQ items are read
// back and printed.

#include <memory>

#include <wx/gdicmn.h>

#include "PAL/wx/SkinWindow.h"

class EqPanel;
class ParamWriter;
class VelbrinHAL;

class EqPanelWindow : public SkinWindow {
public:
    // hal must be open; the window adds its block as a source of the polling thread.
    EqPanelWindow(VelbrinHAL* hal, const wxPoint& place);
    ~EqPanelWindow() override;

    void OnTick() override;

private:
    class ChangePrinter;
    void PrintUnitItems();

    std::unique_ptr<ParamWriter> m_writer;
    std::unique_ptr<EqPanel> m_panel;
    std::unique_ptr<ChangePrinter> m_printer;
    bool m_changed = false;
};
