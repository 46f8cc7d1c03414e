#include "tools/viewer/MissingClassView.h"

#include <algorithm>

#include "PAL/DrawContext.h"
#include "PAL/ViewLib/ViewFactory.h"

void MissingClassView::Paint(DrawContext* context)
{
    if (!m_hidden && context)
        context->DrawMissingBitmap(GetBounds());
    View::Paint(context);
}

std::vector<std::string> MissingClassView::StandInForMissing(const LayoutTable& table)
{
    RegisterViewClasses();
    std::vector<std::string> missing;
    for (int32_t r = 0; r < table.count; ++r) {
        const char* name = table.records[r].className;
        if (IsViewClassRegistered(name))
            continue;
        RegisterViewClass(name, CreateViewOf<MissingClassView>);
        missing.push_back(name);
    }
    return missing;
}
