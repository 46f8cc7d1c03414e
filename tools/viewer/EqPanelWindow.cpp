#include "tools/viewer/EqPanelWindow.h"

#include <cstdio>

#include "CtrlPanel/VelbrinHAL.h"
#include "CtrlPanel/device/MeterList.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ParameterSet.h"

namespace {

constexpr long kPanelStyle = wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU;
constexpr int32_t kEqMeterGroup = 4;

}  // namespace

// Prints each change of an EQ parameter and marks the window to read the unit back.
class EqPanelWindow::ChangePrinter : public ParameterObserver {
public:
    ChangePrinter(ParameterSet* set, bool& changed) : m_set(set), m_changed(changed) {}
    void OnParameterChanged(int32_t index) override
    {
        char name[64] = {};
        m_set->GetParameterName(index, name, sizeof name);
        printf("viewer: EQ parameter %d \"%s\" = %.3f\n", int(index), name, double(m_set->GetParameterValue(index)));
        fflush(stdout);
        m_changed = true;
    }

private:
    ParameterSet* m_set;
    bool& m_changed;
};

EqPanelWindow::EqPanelWindow(VelbrinHAL* hal, const wxPoint& place)
    : SkinWindow(nullptr, wxID_ANY, " EQ 1", kPanelStyle, hal->GetMeterList(), kEqMeterGroup, place),
      m_writer(std::make_unique<ParamWriter>(kEq1BaseItem, kEqBlockCount))
{
    m_panel = EqPanel::Create(m_writer.get(), true);
    hal->AddSource(m_writer.get());
    m_panel->SetSampleRate(float(hal->GetSampleRate()));
    m_printer = std::make_unique<ChangePrinter>(m_panel->GetSet(), m_changed);
    m_panel->GetSet()->AddObserver(m_printer.get());
    SetView(m_panel->GetPage());
}

EqPanelWindow::~EqPanelWindow()
{
    SetView(nullptr);
    if (VelbrinHAL::HasInstance())
        VelbrinHAL::GetInstance()->RemoveSource(m_writer.get());
    m_panel->GetSet()->RemoveObserver(m_printer.get());
    m_panel.reset();
}

void EqPanelWindow::OnTick()
{
    m_panel->Idle();
    if (m_changed && m_writer->GetPendingCount() == 0) {
        m_changed = false;
        PrintUnitItems();
    }
}

void EqPanelWindow::PrintUnitItems()
{
    ItemValue items[6] = {};
    for (uint32_t i = 0; i < 6; ++i)
        items[i].item = kEq1BaseItem + i;
    if (!VelbrinHAL::HasInstance() || VelbrinHAL::GetInstance()->GetValues(items, 6) != 0)
        return;
    printf("viewer: unit items %u..%u (enable, gains):", unsigned(kEq1BaseItem), unsigned(kEq1BaseItem + 5));
    for (const ItemValue& pair : items)
        printf(" %08x", unsigned(pair.value));
    printf("\n");
    for (int band = 0; band < EqPanel::kBandCount; ++band) {
        const uint32_t at = kEq1BaseItem + kEqBandSlot[0][band];
        const uint32_t offsets[7] = {0, 1, 2, 3, 6, 7, 10};
        ItemValue slot[7] = {};
        for (int i = 0; i < 7; ++i)
            slot[i].item = at + offsets[i];
        if (VelbrinHAL::GetInstance()->GetValues(slot, 7) != 0)
            return;
        printf("viewer: unit band %d at %u (shift b0 b1 b2 a1 a2 commit):", band, unsigned(at));
        for (const ItemValue& pair : slot)
            printf(" %08x", unsigned(pair.value));
        printf("\n");
    }
    fflush(stdout);
}
