#include "PAL/CustomCueMixPage.h"

#include <iterator>

#include "PAL/LayoutTables.h"
#include "resources/params/CustomCueMixParamDescriptors.h"

CustomCueMixPage::CustomCueMixPage()
    : PageController(ArchiveSource{}, kCustomCueMixLayout, int32_t(std::size(kCustomCueMixLayout)),
                     kCustomCueMixParamDescriptors, kCustomCueMixParamCount)
{
}

CustomCueMixPage::~CustomCueMixPage() = default;
