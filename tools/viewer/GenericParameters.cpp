#include "tools/viewer/GenericParameters.h"

#include <algorithm>
#include <cstdio>

std::vector<ParamDescriptor> GenericParameters(const LayoutTable& table)
{
    int32_t highest = -1;
    for (int32_t r = 0; r < table.count; ++r) {
        const LayoutRecord& record = table.records[r];
        for (int k = 0; k < kLayoutMaxParams && record.params[k] != -1; ++k)
            highest = std::max(highest, record.params[k]);
    }
    std::vector<ParamDescriptor> descriptors(size_t(highest + 1));
    for (int32_t i = 0; i <= highest; ++i) {
        ParamDescriptor& d = descriptors[size_t(i)];
        d.index = i;
        snprintf(d.name, sizeof d.name, "Parameter %d", int(i));
        d.minimum = 0.0f;
        d.maximum = 1.0f;
        d.defaultValue = 0.0f;
        d.unitKind = UnitNone;
        d.taperKind = TaperLinear;
    }
    return descriptors;
}
