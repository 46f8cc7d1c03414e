// Window sizes and backdrops beside the tables, and the lookup by window.
#include "PAL/LayoutTables.h"

#include <cstdio>
#include <cstdlib>

namespace {

template <int32_t N>
constexpr LayoutTable Table(const LayoutRecord (&records)[N], int32_t width, int32_t height,
                            const char* backdrop, const char* name)
{
    return LayoutTable{records, N, width, height, backdrop, name};
}

const LayoutTable kTables[kLayoutWindowCount] = {
    Table(kMainLayout, 640, 404, "Background.bmp", "Main"),
    Table(kShrinkLayout, 361, 316, "BackgroundShrink.bmp", "Shrink"),
    Table(kTinyLayout, 389, 68, "BackgroundTiny.bmp", "Tiny"),
    Table(kHighRateLayout, 640, 94, "Background192k.bmp", "HighRate"),
    Table(kConnectionLostLayout, 300, 56, "ConnectionLost.bmp", "ConnectionLost"),
    Table(kCustomInputMixLayout, 233, 205, "CustomInputBackground.bmp", "CustomInputMix"),
    Table(kCustomCueMixLayout, 319, 205, "CustomCuemixBackground.bmp", "CustomCueMix"),
    Table(kSampleRateLayout, 93, 93, "SampleRate.bmp", "SampleRate"),
    Table(kReverbLayout, 280, 67, "ReverbStereoBackground.bmp", "Reverb"),
    Table(kEqLayout, 635, 135, "EqBackground.bmp", "Eq"),
    Table(kCompressorLayout, 510, 135, "CompBackground.bmp", "Compressor"),
    Table(kAmpSimLayout, 328, 135, "AmpBackground.bmp", "AmpSim"),
};

}  // namespace

const LayoutTable& GetLayoutTable(LayoutWindow window)
{
    const auto i = static_cast<int32_t>(window);
    if (i < 0 || i >= kLayoutWindowCount) {
        fprintf(stderr, "GetLayoutTable: no window %d\n", int(i));
        abort();
    }
    return kTables[i];
}
