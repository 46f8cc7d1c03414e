#include "PAL/MainPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

MainPage::MainPage(ParameterSet* set) : MeterPage(set, kMainLayout, int32_t(std::size(kMainLayout)))
{
    BindMeters(kRoutes, std::size(kRoutes));
}

void MainPage::SetMeterLevels(const MeterLevels* levels)
{
    PushLevels(levels);
}
