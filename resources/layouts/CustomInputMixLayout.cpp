// The custom input-mix window: 233 x 205 pixels over "CustomInputBackground.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kCustomInputMixLayout[] = {
    {0, 0, 233, 0, 205, "flCanvas", -1, 0,
     "CustomInputBackground.bmp",
     {-1}},
    {1, 32, 53, 24, 152, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomInputBackground.bmp",
     {0, -1}},
    {2, 87, 108, 24, 152, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomInputBackground.bmp",
     {1, -1}},
    {3, 142, 163, 24, 152, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomInputBackground.bmp",
     {2, -1}},
    {4, 197, 218, 24, 152, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nCustomInputBackground.bmp",
     {3, -1}},
    {5, 82, 109, 159, 182, "flKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nCustomInputBackground.bmp",
     {5, -1}},
    {6, 27, 54, 159, 182, "flKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nCustomInputBackground.bmp",
     {4, -1}},
    {7, 68, 83, 157, 172, "flButton", 0, 0,
     "Enable.bmp\nButtonLitMask.bmp\nCustomInputBackground.bmp",
     {7, -1}},
    {8, 13, 28, 157, 172, "flButton", 0, 0,
     "Enable.bmp\nButtonLitMask.bmp\nCustomInputBackground.bmp",
     {6, -1}},
    {9, 209, 224, 170, 185, "flCopyButton", 0, 0,
     "PushDouble1.bmp\nCustomInputBackground.bmp\nqimx",
     {-1}},
    {10, 209, 224, 184, 199, "flPasteButton", 0, 0,
     "PushDouble2.bmp\nCustomInputBackground.bmp\nqimx",
     {-1}},
};

}  // namespace

const LayoutTable kCustomInputMixTable = {kCustomInputMixLayout, int32_t(std::size(kCustomInputMixLayout)), 233, 205,
                                          "CustomInputBackground.bmp", "CustomInputMix"};
