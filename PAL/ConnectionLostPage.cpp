#include "PAL/ConnectionLostPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

ConnectionLostPage::ConnectionLostPage(ParameterSet* set)
    : ControlPage(set, kConnectionLostLayout, int32_t(std::size(kConnectionLostLayout)))
{
}
