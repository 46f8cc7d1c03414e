#include "PAL/CustomCueMixPage.h"

#include "PAL/LayoutTables.h"
#include "resources/params/CustomCueMixParamDescriptors.h"

CustomCueMixPage::CustomCueMixPage()
    : PageController(ArchiveSource{}, GetLayoutTable(LayoutWindow::CustomCueMix).records,
                     GetLayoutTable(LayoutWindow::CustomCueMix).count, kCustomCueMixParamDescriptors,
                     kCustomCueMixParamCount)
{
}

CustomCueMixPage::~CustomCueMixPage() = default;
