// The connection-lost window: 300 x 56 pixels over "ConnectionLost.bmp".
// Fields: index, left, right, top, bottom, class, parent, hidden, arguments, parameters.
#include <iterator>

#include "resources/layouts/WindowTables.h"

namespace {

const LayoutRecord kConnectionLostLayout[] = {
    {0, 0, 300, 0, 56, "Canvas", -1, 0,
     "",
     {-1}},
    {1, 0, 300, 0, 56, "flCanvas", 0, 0,
     "ConnectionLost.bmp",
     {-1}},
    {2, 60, 239, 20, 30, "Static", 1, 0,
     "font.bmp\nFontMask.bmp\nConnectionLost.bmp\nJUSTIFY_LEFT\nCONNECTION TO VELBRIN LOST!",
     {-1}},
    {3, 60, 239, 31, 42, "Static", 1, 0,
     "font.bmp\nFontMask.bmp\nConnectionLost.bmp\nJUSTIFY_LEFT\nPLEASE CHECK FIREWIRE CONNECTION",
     {-1}},
};

}  // namespace

const LayoutTable kConnectionLostTable = {kConnectionLostLayout, int32_t(std::size(kConnectionLostLayout)), 300, 56,
                                          "ConnectionLost.bmp", "ConnectionLost"};
