#include "PAL/MainPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

MainPage::MainPage(ParameterSet* set)
    : MeterPage(set, GetLayoutTable(LayoutWindow::Main).records, GetLayoutTable(LayoutWindow::Main).count)
{
    BindMeters(kRoutes, std::size(kRoutes));
}

void MainPage::SetMeterLevels(const MeterLevels* levels)
{
    PushLevels(levels);
}
