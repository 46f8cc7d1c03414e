#include "PAL/HighRatePage.h"

#include "PAL/LayoutTables.h"

HighRatePage::HighRatePage(ParameterSet* set)
    : MeterPage(set, GetLayoutTable(LayoutWindow::HighRate).records, GetLayoutTable(LayoutWindow::HighRate).count)
{
}
