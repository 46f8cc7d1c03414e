#include "PAL/CustomMixPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"
#include "resources/params/CustomMixParamDescriptors.h"

CustomMixPage::CustomMixPage()
    : PageController(ArchiveSource{}, kCustomInputMixLayout, int32_t(std::size(kCustomInputMixLayout)),
                     kCustomMixParamDescriptors, kCustomMixParamCount)
{
}

CustomMixPage::~CustomMixPage() = default;
