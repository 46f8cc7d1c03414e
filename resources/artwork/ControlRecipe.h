#pragma once
// How the artwork generator treats each control class the layout tables place: the resting look it
// draws into the window backdrop, and how the contact sheets model and outline the control. One row
// per class in ControlRecipe.cpp; the generator refuses to run while a class of the tables has none.

#include <string>
#include <vector>

#include "resources/artwork/ControlArt.h"

// Draws a control's resting look into a backdrop at the control's rectangle (window coordinates),
// from its record's argument items.
using RestingLook = void (*)(cairo_t* cr, const Box& box, const std::vector<std::string>& items);

// How a window preview of the contact sheets composes the control, modelling its own drawing.
enum class SheetLook {
    None,             // nothing of its own
    Picture,          // its bitmap, whole, at its place
    Label,            // the text of a label in the label font
    Knob,             // a strip frame over the backdrop
    LockableKnob,     // a knob whose second cap strip shows while locked
    TrayKnob,         // a knob over its parent tray's image
    TextKnob,         // a knob with its value text below
    Fader,            // the vertical fader's handle
    XFader,           // the horizontal fader's handle through its tray mask
    PeakMeter,        // a bar from the bottom, the clip bar now and then
    GainMeter,        // a bar from the top
    Lamp,             // the lit image over the backdrop, or the backdrop
    PushButton,       // the pressed image, or the backdrop
    ModeButton,       // one of two whole images
    EffectButton,     // the image of its place in the effect chain
    EffectLed,        // one of its whole images
    EffectTray,       // one of two whole images
    ImageTray,        // its image, or the backdrop
    ColumnCoverTray,  // in the other state: the first column copied beside it under a cover
    CoverTray,        // a cover over its children in one of the states
    CueMixButton,     // the screen with a cross per playback pair
    InputMixButton,   // the screen with a cross per input source
    Led,              // the lit image on two records, the backdrop on the others
    TextField,        // the backdrop
    EqTypeStrip,      // a frame of the type strip
};

// The colour of a control's outline on the window sheets (trays dashed).
enum class Outline { Button, Knob, Slider, Meter, Label, Tray, Canvas, Logo };

struct ControlRecipe {
    const char* className;
    RestingLook resting;  // nullptr: the backdrop shows nothing of it (drawn whole by it or its tray)
    SheetLook sheet;
    Outline outline;
    int hiddenBy;  // the argument item that hides it on the sheets when not "0" (in the plain state); -1: none
};

// The row of the class; nullptr when it has none.
const ControlRecipe* FindControlRecipe(const char* className);
// The classes the layout tables place that have no row, each once.
std::vector<std::string> ClassesWithoutRecipe();
