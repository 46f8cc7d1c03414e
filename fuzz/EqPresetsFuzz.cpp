// The EQ's preset text from outside (exactly its bytes, no terminating NUL): read as a list, then packed
// as "VelbrinEQPresets.csv" into the global archive and loaded by an EQ panel, which applies every model
// in simple mode, turns each band's Control knob through its range, glides and goes back to advanced mode.
// Holds: at least the built-in preset; names and captions terminated within their fields; types and
// control targets within their sets; every number finite; every parameter within 0..1 and every band's
// frequency, gain, Q and coefficients finite after each step.

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/EqPresets.h"
#include "PAL/ResourceArchive.h"
#include "fuzz/ArchiveImage.h"
#include "fuzz/SimulatedHal.h"

#include <wx/init.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void CheckList(const EqPresetList& list)
{
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
}

void CheckPanel(EqPanel& panel)
{
    for (int32_t i = 0; i < panel.GetParameterCount(); ++i) {
        const float v = panel.GetParameter(i);
        if (!(v >= 0.0f && v <= 1.0f))
            abort();
    }
    for (int32_t b = 0; b < EqPanel::kBandCount; ++b) {
        const EqBand& band = panel.GetBand(b);
        for (float v : {band.freq, band.gain, band.q})
            if (!std::isfinite(v))
                abort();
        for (int i = 0; i < 5; ++i)
            if (!std::isfinite(band.b[i]) || !std::isfinite(band.a[i]))
                abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The panel's meters come from the HAL's meter list (wxBase threads); the unit is never opened.
    static wxInitializer* wx = new wxInitializer;
    static const bool hal = wx->IsOk() && CreateSimulatedHal();
    static ParamWriter* writer = new ParamWriter(0x200, 180);
    static EqPanel* panel = EqPanel::Create(writer, true).release();

    if (!hal)
        abort();
    std::unique_ptr<char[]> text(new char[size ? size : 1]);
    memcpy(text.get(), data, size);
    CheckList(EqPresetList(size ? text.get() : nullptr, size));

    const std::vector<uint8_t> image = ArchiveImage("VelbrinEQPresets.csv", data, size);
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    panel->LoadPresets();
    const size_t count = panel->GetPresets()->Count();
    panel->SetParameter(EqPanel::kMode, 1.0f);
    for (size_t k = 0; k < count && k < 8; ++k) {
        panel->SetParameter(EqPanel::kModel, count > 1 ? float(k) / float(count - 1) : 0.0f);
        CheckPanel(*panel);
        for (int32_t c = EqPanel::kLfControl; c < EqPanel::kLfControl + EqPanel::kBandCount; ++c)
            for (float at : {0.0f, 1.0f, 0.5f})
                panel->SetParameter(c, at);
        for (int i = 0; i < 4; ++i)
            panel->Tick(nullptr);
        CheckPanel(*panel);
    }
    panel->SetParameter(EqPanel::kMode, 0.0f);
    panel->Tick(nullptr);
    CheckPanel(*panel);
    ResourceArchive::Global().Clear();
    return 0;
}
