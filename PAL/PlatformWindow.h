#pragma once
// What a drawing context needs of the window it draws in: the window's pixels (a back buffer the
// size of its client area, shown by the window itself), a way to say which pixels changed, and the
// window's mouse, modifiers and clipboard. The skinned window's surface (WindowSurface) implements it
// on the desktop; tests implement it over a plain bitmap.

#include "PAL/Bitmap.h"

class Clipboard;
class InputSource;

class PlatformWindow {
public:
    virtual ~PlatformWindow() = default;
    // The window's back buffer; never null while the window exists (it may be 0 x 0).
    virtual Bitmap* GetBackBuffer() = 0;
    // The rectangle (window pixels, already clipped to the buffer) was drawn and must reach the screen.
    virtual void MarkChanged(const Rect& changed) = 0;
    // Null when the window has none: modifiers and buttons then read as up, the pointer as (0, 0).
    virtual InputSource* GetInput() = 0;
    // Null when the window has none: puts are dropped, reads find nothing.
    virtual Clipboard* GetClipboard() = 0;
};
