// The reverb window: 280 x 67 pixels over "ReverbStereoBackground.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kReverbLayout[] = {
    {0, 0, 280, 0, 67, "flCanvas", -1, 0,
     "ReverbStereoBackground.bmp",
     {-1}},
    {1, 47, 74, 16, 39, "flKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nReverbStereoBackground.bmp",
     {0, -1}},
    {2, 108, 135, 16, 39, "flKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nReverbStereoBackground.bmp",
     {1, -1}},
    {3, 169, 196, 16, 39, "flKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackTone.bmp\nKnobTrackToneMask.bmp\nReverbStereoBackground.bmp",
     {2, -1}},
    {4, 7, 22, 26, 41, "flButton", 0, 0,
     "Enable.bmp\nButtonLitMask.bmp\nReverbStereoBackground.bmp",
     {3, -1}},
    {6, 37, 83, 46, 56, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nReverbStereoBackground.bmp\nJUSTIFY_CENTRE\nROOM SIZE",
     {-1}},
    {7, 99, 145, 46, 56, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nReverbStereoBackground.bmp\nJUSTIFY_CENTRE\nDIFFUSION",
     {-1}},
    {8, 159, 205, 46, 56, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nReverbStereoBackground.bmp\nJUSTIFY_CENTRE\nTONE",
     {-1}},
    {5, 220, 230, 46, 56, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nReverbStereoBackground.bmp\nJUSTIFY_CENTRE\n",
     {-1}},
    {9, 256, 271, 35, 50, "flCopyButton", 0, 0,
     "PushDouble1.bmp\nReverbStereoBackground.bmp\nQvrb",
     {-1}},
    {10, 256, 271, 49, 64, "flPasteButton", 0, 0,
     "PushDouble2.bmp\nReverbStereoBackground.bmp\nQvrb",
     {-1}},
};

}  // namespace

const LayoutTable kReverbTable = {kReverbLayout, int32_t(std::size(kReverbLayout)), 280, 67,
                                  "ReverbStereoBackground.bmp", "Reverb"};
