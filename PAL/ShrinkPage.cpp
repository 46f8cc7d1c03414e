#include "PAL/ShrinkPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

ShrinkPage::ShrinkPage(ParameterSet* set)
    : MeterPage(set, GetLayoutTable(LayoutWindow::Shrink).records, GetLayoutTable(LayoutWindow::Shrink).count)
{
    BindMeters(kRoutes, std::size(kRoutes));
}

void ShrinkPage::SetMeterLevels(const MeterLevels* levels)
{
    PushLevels(levels);
}
