// The lookup of a window's table.
#include "PAL/LayoutTables.h"

#include <cstdio>
#include <cstdlib>

#include "resources/layouts/WindowTables.h"

namespace {

// In the order of LayoutWindow.
const LayoutTable* const kTables[kLayoutWindowCount] = {
    &kMainTable,
    &kShrinkTable,
    &kTinyTable,
    &kHighRateTable,
    &kConnectionLostTable,
    &kCustomInputMixTable,
    &kCustomCueMixTable,
    &kSampleRateTable,
    &kReverbTable,
    &kEqTable,
    &kCompressorTable,
    &kAmpSimTable,
};

}  // namespace

const LayoutTable& GetLayoutTable(LayoutWindow window)
{
    const auto i = static_cast<int32_t>(window);
    if (i < 0 || i >= kLayoutWindowCount) {
        fprintf(stderr, "GetLayoutTable: no window %d\n", int(i));
        abort();
    }
    return *kTables[i];
}
