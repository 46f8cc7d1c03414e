#include "PAL/TinyPage.h"

#include "PAL/LayoutTables.h"

TinyPage::TinyPage(ParameterSet* set)
    : MeterPage(set, GetLayoutTable(LayoutWindow::Tiny).records, GetLayoutTable(LayoutWindow::Tiny).count)
{
}
