#pragma once
// One window of the layout tables drawn by its real controls, for people to judge the artwork: a
// control page over the parameter set the program builds the window over and the loaded archive, in
// one of two demonstration states. The plain state gives parameter p the normalised value
// (0.11 + 0.37 p) mod 1 (a switch or a selection the step nearest to it), each meter a level from
// its record's position and each type symbol a frame; the other state moves every value and level
// half the range on, which turns over the switches: covers, linked inputs, effect order, lamps,
// locked knobs.

#include "PAL/LayoutTables.h"
#include "tools/previews/PreviewWindow.h"

// Draws the whole window into out (the size of the window's table).
void DrawWindowPreview(LayoutWindow window, bool otherState, PreviewWindow& out);
