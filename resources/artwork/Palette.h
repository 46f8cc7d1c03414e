#pragma once
// The colours of the unit: dark anodised panels, silkscreen in warm white, amber accents, and the
// lamp colours of the buttons and LEDs.

#include "resources/artwork/Surface.h"

struct Palette {
    static Rgb Panel() { return Hex(0x34373c); }
    static Rgb Recess() { return Hex(0x17181b); }
    static Rgb Bezel() { return Hex(0x0c0d0f); }
    static Rgb Silk() { return Hex(0xdcd8cc); }
    static Rgb SilkDim() { return Hex(0x8f8d87); }
    static Rgb Accent() { return Hex(0xf0a63c); }
    static Rgb Display() { return Hex(0x0e1112); }
    static Rgb Green() { return Hex(0x46f07a); }
    static Rgb Red() { return Hex(0xff4433); }
    static Rgb Amber() { return Hex(0xffae34); }
    static Rgb Yellow() { return Hex(0xffe14d); }
    static Rgb Blue() { return Hex(0x4fa8ff); }
    static Rgb Cyan() { return Hex(0x3fe2d8); }
    static Rgb Ice() { return Hex(0xd6ecff); }
};
