// The amp-simulator window: 328 x 135 pixels over "AmpBackground.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kAmpSimLayout[] = {
    {0, 0, 328, 0, 135, "flCanvas", -1, 0,
     "AmpBackground.bmp",
     {-1}},
    {1, 7, 22, 60, 75, "flButton", 0, 0,
     "Enable.bmp\nEnableMask.bmp\nAmpBackground.bmp",
     {0, -1}},
    {2, 262, 265, 18, 114, "flPPM", 0, 0,
     "meter.bmp\nAmpBackground.bmp\nmeterclip.bmp",
     {-1}},
    {3, 159, 185, 19, 42, "flTextKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nAmpBackground.bmp\nKnobRotationHw.bmp\nfont.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_CENTRE\nDRIVE",
     {1, -1}},
    {4, 255, 276, 117, 127, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_LEFT\nOUT",
     {-1}},
    {5, 41, 67, 84, 107, "flTextKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nAmpBackground.bmp\nKnobRotationHw.bmp\nfont.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_CENTRE\nLOW",
     {2, -1}},
    {6, 31, 68, 13, 26, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_LEFT\nBRITISH",
     {-1}},
    {7, 100, 126, 84, 107, "flTextKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nAmpBackground.bmp\nKnobRotationHw.bmp\nfont.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_CENTRE\nMID",
     {3, -1}},
    {8, 51, 95, 44, 58, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_LEFT\nAMERICAN",
     {-1}},
    {9, 159, 185, 84, 107, "flTextKnob", 0, 0,
     "KnobRotation.bmp\nKnobMask.bmp\nKnobTrackRotation.bmp\nKnobTrackMask.bmp\nAmpBackground.bmp\nKnobRotationHw.bmp\nfont.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_CENTRE\nHIGH",
     {4, -1}},
    {10, 84, 121, 13, 26, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_LEFT\nCOMBO",
     {-1}},
    {11, 232, 253, 5, 133, "flVSlider", 0, 0,
     "FaderHandle.bmp\nFaderHandleMask.bmp\nFaderTrayMask.bmp\nAmpBackground.bmp",
     {5, -1}},
    {12, 37, 130, 26, 41, "flHSlider", 0, 0,
     "XFaderHandle.bmp\nXFaderHandleMask.bmp\nSPACER_MISSING_BMP\nAmpBackground.bmp\n26",
     {6, -1}},
    {13, 113, 150, 44, 58, "Static", 0, 0,
     "font.bmp\nFontMask.bmp\nAmpBackground.bmp\nJUSTIFY_LEFT\nBASS",
     {-1}},
    {14, 305, 320, 89, 104, "flCopyButton", 0, 0,
     "PushDouble1.bmp\nAmpBackground.bmp\nKtas",
     {-1}},
    {15, 305, 320, 103, 118, "flPasteButton", 0, 0,
     "PushDouble2.bmp\nAmpBackground.bmp\nKtas",
     {-1}},
};

}  // namespace

const LayoutTable kAmpSimTable = {kAmpSimLayout, int32_t(std::size(kAmpSimLayout)), 328, 135,
                                  "AmpBackground.bmp", "AmpSim"};
