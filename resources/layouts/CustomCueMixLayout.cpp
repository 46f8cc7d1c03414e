// The custom playback-mix window: 319 x 205 pixels over "CustomCuemixBackground.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kCustomCueMixLayout[] = {
    {0, 0, 319, 0, 205, "flCanvas", -1, 0,
     "CustomCuemixBackground.bmp",
     {-1}},
    {1, 32, 53, 25, 153, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomCuemixBackground.bmp",
     {0, -1}},
    {2, 93, 114, 25, 153, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomCuemixBackground.bmp",
     {1, -1}},
    {3, 154, 175, 25, 153, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomCuemixBackground.bmp",
     {2, -1}},
    {4, 215, 236, 25, 153, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomCuemixBackground.bmp",
     {3, -1}},
    {5, 276, 297, 25, 153, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomCuemixBackground.bmp",
     {4, -1}},
    {6, 294, 309, 170, 185, "flCopyButton", 0, 0,
     "PushDouble1.bmp\nCustomCuemixBackground.bmp\nqcmx",
     {-1}},
    {7, 294, 309, 184, 199, "flPasteButton", 0, 0,
     "PushDouble2.bmp\nCustomCuemixBackground.bmp\nqcmx",
     {-1}},
};

}  // namespace

const LayoutTable kCustomCueMixTable = {kCustomCueMixLayout, int32_t(std::size(kCustomCueMixLayout)), 319, 205,
                                        "CustomCuemixBackground.bmp", "CustomCueMix"};
