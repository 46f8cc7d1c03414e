#include "PAL/ConnectionLostPage.h"

#include "PAL/LayoutTables.h"

ConnectionLostPage::ConnectionLostPage(ParameterSet* set)
    : ControlPage(set, GetLayoutTable(LayoutWindow::ConnectionLost).records,
                  GetLayoutTable(LayoutWindow::ConnectionLost).count)
{
}
