#include "PAL/TinyPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"

TinyPage::TinyPage(ParameterSet* set) : MeterPage(set, kTinyLayout, int32_t(std::size(kTinyLayout))) {}
