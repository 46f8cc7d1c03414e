#pragma once
// Reads what a window's client area shows on the display now (a client DC reads the window itself; a
// screen DC may be stale), for screenshots and tests.

#include <wx/image.h>

#include "PAL/Bitmap.h"

class wxWindow;

wxImage ReadClientPixels(wxWindow* window);

// The first pixel where image and bitmap differ, or (-1, -1) when they are equal; (0, 0) when their
// sizes differ.
wxPoint FirstDifference(const wxImage& image, const Bitmap& bitmap);
