#pragma once
// Stands in, in the viewer only, for a control class that is not built yet: a crossed box over its
// rectangle, then its children. Without it a page naming such a class could not be built at all.

#include <string>
#include <vector>

#include "PAL/LayoutTables.h"
#include "PAL/ViewLib/View.h"

class MissingClassView : public View {
public:
    MissingClassView(const LayoutRecord* record, ControlPage* page) : View(record, page) {}
    void Paint(DrawContext* context) override;

    // Registers the stand-in under every class name of the table that has no class; returns those names.
    static std::vector<std::string> StandInForMissing(const LayoutTable& table);
};
