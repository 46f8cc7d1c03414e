#include "tools/previews/WindowPreview.h"

#include <cmath>
#include <string>

#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/ControlPage.h"
#include "PAL/ViewLib/LevelMeter.h"
#include "PAL/ViewLib/Static.h"
#include "PAL/ViewLib/flEQType.h"
#include "resources/params/AmpSimParamDescriptors.h"
#include "resources/params/CompressorParamDescriptors.h"
#include "resources/params/CustomCueMixParamDescriptors.h"
#include "resources/params/CustomMixParamDescriptors.h"
#include "resources/params/EqParamDescriptors.h"
#include "resources/params/MainParamDescriptors.h"
#include "resources/params/ReverbParamDescriptors.h"
#include "resources/params/SampleRateParamDescriptors.h"

namespace {

struct Descriptors {
    const ParamDescriptor* table;
    int32_t count;
};

// The set each window shows, in the order of LayoutWindow.
const Descriptors kSets[kLayoutWindowCount] = {
    {kMainParamDescriptors, kMainParamCount},
    {kMainParamDescriptors, kMainParamCount},
    {kMainParamDescriptors, kMainParamCount},
    {kMainParamDescriptors, kMainParamCount},
    {kMainParamDescriptors, kMainParamCount},
    {kCustomMixParamDescriptors, kCustomMixParamCount},
    {kCustomCueMixParamDescriptors, kCustomCueMixParamCount},
    {kSampleRateParamDescriptors, kSampleRateParamCount},
    {kReverbParamDescriptors, kReverbParamCount},
    {kEqParamDescriptors, kEqParamCount},
    {kCompressorParamDescriptors, kCompressorParamCount},
    {kAmpSimParamDescriptors, kAmpSimParamCount},
};

// The text of the labels a panel fills in at run time.
const char kPlaceholderText[] = "dummy text";

float Demo(int32_t n, bool otherState)
{
    return float(std::fmod(0.11 + 0.37 * n + (otherState ? 0.5 : 0.0), 1.0));
}

}  // namespace

void DrawWindowPreview(LayoutWindow window, bool otherState, PreviewWindow& out)
{
    const LayoutTable& table = GetLayoutTable(window);
    const Descriptors& descriptors = kSets[int32_t(window)];
    ParameterSet set(descriptors.table, descriptors.count);
    for (int32_t p = 0; p < descriptors.count; ++p) {
        const ParamDescriptor& d = descriptors.table[p];
        if (d.taperKind == TaperStepped)  // a switch or a selection: the step the value falls in
            set.SetParameterValue(p, d.minimum + std::round(Demo(p, otherState) * (d.maximum - d.minimum)));
        else
            set.SetParameter(p, Demo(p, otherState));
    }
    ControlPage page(&set, table.records, table.count);
    page.AttachWindow(&out);
    int32_t placeholders = 0;
    for (int32_t i = 0; i < page.GetViewCount(); ++i) {
        View* view = page.GetView(i);
        if (auto* meter = dynamic_cast<LevelMeter*>(view)) {
            meter->SetLevel(0.35f + 0.6f * Demo(i, otherState));
        } else if (auto* symbol = dynamic_cast<flEQType*>(view)) {
            symbol->SetType(i % 5);
        } else if (auto* label = dynamic_cast<Static*>(view)) {
            if (std::string(label->GetText()) == kPlaceholderText)
                label->SetText(("BAND " + std::to_string(++placeholders)).c_str());
        }
    }
    page.Paint();
    page.DetachContext();
}
