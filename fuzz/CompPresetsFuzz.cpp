// The compressor's preset text from outside (exactly its bytes, no terminating NUL): read as a list and
// applied to a compressor's parameter set at Amount 0, 0.5, 1 and an amount from the input; then packed
// as "VelbrinCompPresets.csv" into the global archive and loaded by a compressor panel, which chooses
// every preset in simple mode, turns Amount through its range and goes back to advanced mode.
// Holds: names are terminated; every normalised value stays within 0..1.

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/effects/CompPresets.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "PAL/ParameterSet.h"
#include "PAL/ResourceArchive.h"
#include "PAL/ViewLib/PageController.h"
#include "fuzz/ArchiveImage.h"
#include "fuzz/SimulatedHal.h"
#include "resources/params/CompressorParamDescriptors.h"

#include <wx/init.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

void CheckValues(PageController& controller)
{
    for (int32_t i = 0; i < controller.GetParameterCount(); ++i) {
        const float v = controller.GetParameter(i);
        if (!(v >= 0.0f && v <= 1.0f))
            abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ParameterSet* set = new ParameterSet(kCompressorParamDescriptors, kCompressorParamCount);
    static PageController* plain = new PageController(set, nullptr);
    // The panel's meters come from the HAL's meter list (wxBase threads); the unit is never opened.
    static wxInitializer* wx = new wxInitializer;
    static const bool hal = wx->IsOk() && CreateSimulatedHal();
    static ParamWriter* writer = new ParamWriter(0x300, 8);
    static CompressorPanel* panel = CompressorPanel::Create(writer, true).release();
    if (!hal)
        abort();

    std::unique_ptr<char[]> text(new char[size ? size : 1]);
    memcpy(text.get(), data, size);
    CompPresetList list(size ? text.get() : nullptr, size);
    if (list.Count() < 1)
        abort();
    float amount = 0.25f;
    if (size >= 4)
        memcpy(&amount, data, 4);
    for (size_t k = 0; k < list.Count() && k < 64; ++k) {
        const CompPreset* preset = list.Get(k);
        if (strnlen(preset->name, sizeof preset->name) >= sizeof preset->name)
            abort();
        CompPresetList::Apply(*preset, *plain);
        for (float a : {0.0f, 0.5f, 1.0f, amount})
            CompPresetList::ApplyRanged(*preset, *plain, a);
        CheckValues(*plain);
    }

    const std::vector<uint8_t> image = ArchiveImage("VelbrinCompPresets.csv", data, size);
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    panel->LoadPresets();
    panel->SetParameter(CompressorParam::Mode, 1.0f);
    const size_t count = list.Count();
    for (size_t k = 0; k < count && k < 8; ++k) {
        panel->SetParameter(CompressorParam::Model, count > 1 ? float(k) / float(count - 1) : 0.0f);
        for (float a : {0.0f, 1.0f, 0.5f})
            panel->SetParameter(CompressorParam::Amount, a);
        CheckValues(*panel);
    }
    panel->SetParameter(CompressorParam::Mode, 0.0f);
    CheckValues(*panel);
    ResourceArchive::Global().Clear();
    return 0;
}
