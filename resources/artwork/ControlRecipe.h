#pragma once
// How the artwork generator treats each control class the layout tables place: the resting look it
// draws into the window backdrop, and the colour the window sheets outline the control in. One row
// per class in ControlRecipe.cpp; the generator refuses to run while a class of the tables has none.

#include <string>
#include <vector>

#include "resources/artwork/ControlArt.h"

// Draws a control's resting look into a backdrop at the control's rectangle (window coordinates),
// from its record's argument items.
using RestingLook = void (*)(cairo_t* cr, const Box& box, const std::vector<std::string>& items);

// The colour of a control's outline on the window sheets (trays dashed).
enum class Outline { Button, Knob, Slider, Meter, Label, Tray, Canvas, Logo };

struct ControlRecipe {
    const char* className;
    RestingLook resting;  // nullptr: the backdrop shows nothing of it (drawn whole by it or its tray)
    Outline outline;
};

// The row of the class; nullptr when it has none.
const ControlRecipe* FindControlRecipe(const char* className);
// The classes the layout tables place that have no row, each once.
std::vector<std::string> ClassesWithoutRecipe();
