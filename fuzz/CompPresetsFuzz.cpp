// The compressor's preset text from outside (exactly its bytes, no terminating NUL), then every preset
// applied to a compressor's parameter set at Amount 0, 0.5, 1 and the input's own amount.
// Holds: names are terminated; every normalised value stays finite and within 0..1.

#include "CtrlPanel/effects/CompPresets.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/PageController.h"
#include "resources/params/CompressorParamDescriptors.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ParameterSet* set = new ParameterSet(kCompressorParamDescriptors, kCompressorParamCount);
    static PageController* panel = new PageController(set, nullptr);

    std::unique_ptr<char[]> text(new char[size ? size : 1]);
    memcpy(text.get(), data, size);
    CompPresetList list(size ? text.get() : nullptr, size);
    if (list.Count() < 1)
        abort();
    const float amount = size >= 4 ? [&] {
        float f;
        memcpy(&f, data, 4);
        return f;
    }() : 0.25f;
    for (size_t k = 0; k < list.Count() && k < 64; ++k) {
        const CompPreset* preset = list.Get(k);
        if (strnlen(preset->name, sizeof preset->name) >= sizeof preset->name)
            abort();
        CompPresetList::Apply(*preset, *panel);
        for (float a : {0.0f, 0.5f, 1.0f, amount})
            CompPresetList::ApplyRanged(*preset, *panel, a);
        for (int32_t i = 0; i < kCompressorParamCount; ++i) {
            const float v = set->GetParameter(i);
            if (!(v >= 0.0f && v <= 1.0f))
                abort();
        }
    }
    return 0;
}
