// The EQ's preset text from outside (exactly its bytes, no terminating NUL).
// Holds: at least the built-in preset; names and captions terminated within their fields; types and
// control targets within their sets; every number finite.

#include "CtrlPanel/effects/EqPresets.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::unique_ptr<char[]> text(new char[size ? size : 1]);
    memcpy(text.get(), data, size);
    EqPresetList list(size ? text.get() : nullptr, size);
    if (list.Count() < 1)
        abort();
    for (size_t k = 0; k < list.Count(); ++k) {
        const EqPreset* preset = list.Get(k);
        if (strnlen(preset->name, sizeof preset->name) >= sizeof preset->name)
            abort();
        for (const auto& caption : preset->captions)
            if (strnlen(caption, sizeof caption) >= sizeof caption)
                abort();
        if (preset->lowType != 0 && preset->lowType != 2 && preset->lowType != 4)
            abort();
        if (preset->highType != 0 && preset->highType != 1 && preset->highType != 3)
            abort();
        for (const EqPresetBand& band : preset->bands) {
            if (band.controlTarget < 0 || band.controlTarget > 2)
                abort();
            for (float v : {band.freq, band.gain, band.q, band.controlMin, band.controlMax})
                if (!std::isfinite(v))
                    abort();
        }
    }
    return 0;
}
