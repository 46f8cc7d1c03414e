#pragma once
// The geometry that a control's drawing code and the artwork generator both rely on: the generator
// draws the strips, handles and screens to these measures, and the controls cut and place them by
// the same ones. In pixels.

#include <cstdint>

// Knob strips (flKnob and its kinds): frames side by side; caps blended at (kCapOffset, kCapOffset)
// of the knob through a mask the size of one cap; track arcs blended at (0, 0).
constexpr int32_t kKnobFrames = 29;
constexpr int32_t kCapPitch = 20;
constexpr int32_t kCapSize = 19;
constexpr int32_t kCapOffset = 4;
constexpr int32_t kTrackPitch = 27;
constexpr int32_t kTrackSize = 27;

// Vertical faders: the handle's top runs from kFaderTop (value 1) down kFaderTravel rows (value 0).
constexpr int32_t kFaderTravel = 95;
constexpr int32_t kFaderTop = 2;

// Mix-selector buttons: where the button image (the small screen) sits on the button.
constexpr int32_t kMixScreenX = 5;
constexpr int32_t kMixScreenY = 4;
