#include "PAL/CustomMixPage.h"

#include "PAL/LayoutTables.h"
#include "resources/params/CustomMixParamDescriptors.h"

CustomMixPage::CustomMixPage()
    : PageController(ArchiveSource{}, GetLayoutTable(LayoutWindow::CustomInputMix).records,
                     GetLayoutTable(LayoutWindow::CustomInputMix).count, kCustomMixParamDescriptors,
                     kCustomMixParamCount)
{
}

CustomMixPage::~CustomMixPage() = default;
