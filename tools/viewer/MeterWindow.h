#pragma once
// A main-window page in a skinned window fed as the main frame feeds it: every tick first hands the
// page the device's meter levels, then runs the window's own tick.

#include "PAL/wx/SkinWindow.h"

class MeterLevels;
class MeterPage;

class MeterWindow : public SkinWindow {
public:
    // Neither the page nor the meter list is owned; meters (group 1) may be null.
    MeterWindow(MeterPage* page, MeterGroups* groups, const MeterLevels* levels, const wxString& title,
                const wxPoint& place);
    ~MeterWindow() override;

    void OnTick() override;

private:
    MeterPage* m_page;
    const MeterLevels* m_levels;
};
