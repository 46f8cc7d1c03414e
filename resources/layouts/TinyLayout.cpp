// The smallest main window: 389 x 68 pixels over "BackgroundTiny.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kTinyLayout[] = {
    {0, 0, 389, 0, 68, "Canvas", -1, 0,
     "",
     {-1}},
    {1, 0, 389, 0, 68, "flCanvas", 0, 0,
     "BackgroundTiny.bmp",
     {-1}},
    {2, 368, 383, 35, 50, "flPushButton", 1, 0,
     "PushDouble1.bmp\nBackgroundTiny.bmp",
     {152, -1}},
    {3, 4, 116, 9, 24, "flHSlider", 1, 0,
     "XFaderHandle.bmp\nXFaderHandleMask.bmp\nXFaderTrayMask.bmp\nBackgroundTiny.bmp",
     {9, -1}},
    {4, 117, 229, 9, 24, "flHSlider", 1, 0,
     "XFaderHandle.bmp\nXFaderHandleMask.bmp\nXFaderTrayMask.bmp\nBackgroundTiny.bmp",
     {11, -1}},
    {5, 230, 342, 9, 24, "flHSlider", 1, 0,
     "XFaderHandle.bmp\nXFaderHandleMask.bmp\nXFaderTrayMask.bmp\nBackgroundTiny.bmp",
     {12, -1}},
    {6, 78, 105, 31, 58, "flKnob3", 1, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nBackgroundTiny.bmp\nKnobRotationHw.bmp",
     {0, 55, -1}},
    {7, 191, 218, 31, 58, "flKnob3", 1, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nBackgroundTiny.bmp\nKnobRotationHw.bmp",
     {2, 57, -1}},
    {8, 304, 331, 31, 58, "flKnob3", 1, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nBackgroundTiny.bmp\nKnobRotationHw.bmp",
     {3, 58, -1}},
    {9, 64, 79, 30, 45, "flButton", 1, 0,
     "Mute.bmp\nButtonLitMask.bmp\nBackgroundTiny.bmp",
     {25, -1}},
    {10, 177, 192, 30, 45, "flButton", 1, 0,
     "Mute.bmp\nButtonLitMask.bmp\nBackgroundTiny.bmp",
     {27, -1}},
    {11, 290, 305, 30, 45, "flButton", 1, 0,
     "Mute.bmp\nButtonLitMask.bmp\nBackgroundTiny.bmp",
     {28, -1}},
    {12, 368, 383, 49, 64, "flPushButton", 1, 0,
     "PushDouble2.bmp\nBackgroundTiny.bmp",
     {154, -1}},
    {13, 355, 377, 4, 28, "flLogoButton", 1, 0,
     "",
     {162, -1}},
};

}  // namespace

const LayoutTable kTinyTable = {kTinyLayout, int32_t(std::size(kTinyLayout)), 389, 68, "BackgroundTiny.bmp", "Tiny"};
