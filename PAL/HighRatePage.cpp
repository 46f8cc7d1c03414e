#include "PAL/HighRatePage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

HighRatePage::HighRatePage(ParameterSet* set) : MeterPage(set, kHighRateLayout, int32_t(std::size(kHighRateLayout))) {}
