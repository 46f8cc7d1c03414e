#include "PAL/ShrinkPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

ShrinkPage::ShrinkPage(ParameterSet* set) : MeterPage(set, kShrinkLayout, int32_t(std::size(kShrinkLayout)))
{
    BindMeters(kRoutes, std::size(kRoutes));
}

void ShrinkPage::SetMeterLevels(const MeterLevels* levels)
{
    PushLevels(levels);
}
