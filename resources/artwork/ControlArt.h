#pragma once
// The controls' own bitmaps and their resting looks. Each control cuts its unlit state from the
// window backdrop and lays its lit or moving parts over it, so the functions here draw both: the
// resting look into a backdrop at the control's rectangle, and the lit, pressed or rotated parts
// into the control's bitmaps, in the same geometry.
//
// Geometry the controls rely on: the knob strips, the vertical fader's travel and the mix buttons'
// screen as PAL/ViewLib/ControlGeometry.h gives them (track ink inside 26 x 23; vertical faders
// 21 x 128), and:
// - horizontal faders: handle 13 x 15 blended at x 1 .. travel + 1; tray masks of the control's size;
// - peak meters: bars 3 x 96, drawn bottom-aligned (gain reduction: top-aligned);
// - mix buttons: 25 x 25, crosses at x 5..19, y 4..20.

#include <string>

#include "PAL/ViewLib/ControlGeometry.h"
#include "resources/artwork/ArtworkSet.h"
#include "resources/artwork/Surface.h"

struct Box {
    int x, y, w, h;
};

// The knob centre inside its control rectangle: the cap's centre.
constexpr double kKnobCentre = kCapOffset + kCapSize / 2.0;
// The radius of the value track. The lit arcs, their glow and the end dot stay inside 26 x 23, the
// smallest knob rectangle: what a frame draws beyond the knob's rectangle is cut off on screen.
constexpr double kTrackRadius = 10.4;
constexpr int kFaderHandleW = 21;
constexpr int kFaderHandleH = 27;
constexpr int kFaderLine = 11;       // the handle's centre line below its top
constexpr int kXHandleW = 13;
constexpr int kXHandleH = 15;
constexpr int kMeterW = 3;
constexpr int kMeterH = 96;

// Pointer angle in degrees (0 = up, clockwise) that frame t of a knob strip shows.
double KnobFrameAngle(int t);

enum class TrackStyle { Unipolar, Bipolar, Tone, Freq, Q };

// Lamp buttons ("flButton" lit images) by the name of their lit image.
struct LampStyle {
    Rgb colour;
    std::string glyph;  // short text on the lens, may be empty
};
bool LampStyleOf(const std::string& litImage, LampStyle* style);

// Resting looks, drawn into a backdrop at a control's rectangle (window coordinates).
void DrawKnobWell(cairo_t* cr, const Box& r);
void DrawFaderSlot(cairo_t* cr, const Box& r, bool scale);
void DrawXFaderSlot(cairo_t* cr, const Box& r, int step);
void DrawMeterOff(cairo_t* cr, const Box& r, bool gainReduction);
void DrawLampButton(cairo_t* cr, const Box& r, const LampStyle& style, bool lit);
void DrawEqTypeButton(cairo_t* cr, const Box& r, const std::string& litImage, bool lit);
void DrawTextLamp(cairo_t* cr, const Box& r, const std::string& litImage, bool lit);
// Push buttons by the name of their pressed image ("PushSingle.bmp", "PushDouble1.bmp", ...).
void DrawPushButton(cairo_t* cr, const Box& r, const std::string& pressedImage, bool pressed);
void DrawMixButton(cairo_t* cr, const Box& r, bool input, bool pressed);
void DrawMixScreen(cairo_t* cr, double x, double y, bool input);
void DrawLedSocket(cairo_t* cr, const Box& r);
void DrawEffectTray(cairo_t* cr, double x, double y, bool secondOrder);
void DrawLogo(cairo_t* cr, const Box& r);

// The flat face colour of display plates (sample-rate lamps, effect lamps, type symbols), shared
// by backdrops and the whole images drawn over them.
Rgb DisplayFace();

// Adds every control bitmap (everything but the window backdrops and the covers drawn from them).
void AddControlBitmaps(ArtworkSet& set);
