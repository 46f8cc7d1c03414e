// Typed parameter text from outside: the input's first two bytes pick a parameter (every parameter of the
// program's descriptor tables, then one of each unit and taper kind), the rest is the text, passed with
// its exact length and no terminating NUL. The value's label is then written into short buffers.
// Holds: the stored value stays within 0..1; labels are terminated within the length given.

#include "PAL/Parameter.h"
#include "resources/params/AmpSimParamDescriptors.h"
#include "resources/params/CompressorParamDescriptors.h"
#include "resources/params/MainParamDescriptors.h"
#include "resources/params/ReverbParamDescriptors.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::vector<ParamDescriptor> Descriptors()
{
    std::vector<ParamDescriptor> all;
    all.insert(all.end(), kMainParamDescriptors, kMainParamDescriptors + kMainParamCount);
    all.insert(all.end(), kCompressorParamDescriptors, kCompressorParamDescriptors + kCompressorParamCount);
    all.insert(all.end(), kReverbParamDescriptors, kReverbParamDescriptors + kReverbParamCount);
    all.insert(all.end(), kAmpSimParamDescriptors, kAmpSimParamDescriptors + kAmpSimParamCount);
    for (int32_t unit = UnitNone; unit <= UnitRatio; ++unit) {
        for (int32_t taper = TaperLinear; taper <= TaperStepped; ++taper) {
            const bool positive = taper != TaperLinear && taper != TaperStepped;
            ParamDescriptor d{0, "fuzz", positive ? 0.5f : -60.0f, positive ? 20000.0f : 12.0f, positive ? 1.0f : 0.0f,
                              unit, taper};
            if (taper == TaperStepped) {
                d.minimum = 0.0f;
                d.maximum = 7.0f;
            }
            all.push_back(d);
        }
    }
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<ParamDescriptor>* descriptors = new std::vector<ParamDescriptor>(Descriptors());
    if (size < 2)
        return 0;
    const size_t pick = (size_t(data[0]) | size_t(data[1]) << 8) % descriptors->size();
    Parameter parameter((*descriptors)[pick]);

    const size_t length = size - 2;
    std::unique_ptr<char[]> text(new char[length ? length : 1]);
    memcpy(text.get(), data + 2, length);
    parameter.ParseValue(text.get(), int32_t(length));
    const float n = parameter.GetNormalisedValue();
    if (!(n >= 0.0f && n <= 1.0f))
        abort();

    for (int32_t room : {0, 1, 3, 8, 31}) {
        std::unique_ptr<char[]> label(new char[size_t(room) + 1]);
        parameter.GetCurrentLabel(label.get(), room);
        if (strnlen(label.get(), size_t(room) + 1) > size_t(room))
            abort();
    }
    return 0;
}
