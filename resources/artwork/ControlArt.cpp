#include "resources/artwork/ControlArt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include "resources/artwork/Draw.h"
#include "resources/artwork/Palette.h"
#include "resources/artwork/PixelFont.h"
#include "resources/artwork/StrokeFont.h"

namespace {

double Rad(double degreesFromUp) { return (degreesFromUp - 90.0) * kPi / 180.0; }

// ---------------------------------------------------------------- knobs

void DrawCap(cairo_t* cr, double angle, bool locked)
{
    const double c = kCapSize / 2.0, R = 8.7;
    const double a = angle * kPi / 180.0;
    // Skirt: machined aluminium, lit from above.
    cairo_arc(cr, c, c, R, 0, 2 * kPi);
    SetVertical(cr, c - R, c + R, locked ? Hex(0x5c5750) : Hex(0x7a7e86), Hex(0x1a1b1e));
    cairo_fill(cr);
    // Knurling, turning with the knob.
    cairo_save(cr);
    cairo_set_line_width(cr, 0.7);
    for (int i = 0; i < 30; ++i) {
        const double t = a + i * 2 * kPi / 30;
        cairo_move_to(cr, c + std::sin(t) * 6.9, c - std::cos(t) * 6.9);
        cairo_line_to(cr, c + std::sin(t) * 8.5, c - std::cos(t) * 8.5);
    }
    SetRgb(cr, Rgb{0, 0, 0}, 0.30);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Face.
    cairo_arc(cr, c, c, 6.5, 0, 2 * kPi);
    SetVertical(cr, c - 6.5, c + 6.5, locked ? Hex(0x3a3733) : Hex(0x464950), locked ? Hex(0x211f1d) : Hex(0x25272b));
    cairo_fill(cr);
    // Face rim: bright above, dark below.
    cairo_arc(cr, c, c, 6.4, 0, 2 * kPi);
    cairo_set_line_width(cr, 0.8);
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, c - 6.5, 0, c + 6.5);
    cairo_pattern_add_color_stop_rgba(rim, 0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(rim, 0.55, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    // Soft specular spot.
    cairo_pattern_t* spot = cairo_pattern_create_radial(c - 2.2, c - 3.0, 0, c - 2.2, c - 3.0, 5.5);
    cairo_pattern_add_color_stop_rgba(spot, 0, 1, 1, 1, 0.20);
    cairo_pattern_add_color_stop_rgba(spot, 1, 1, 1, 1, 0.0);
    cairo_arc(cr, c, c, 6.5, 0, 2 * kPi);
    cairo_set_source(cr, spot);
    cairo_fill(cr);
    cairo_pattern_destroy(spot);
    // Pointer.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double dx = std::sin(a), dy = -std::cos(a);
    cairo_move_to(cr, c + dx * 2.6, c + dy * 2.6);
    cairo_line_to(cr, c + dx * 8.0, c + dy * 8.0);
    cairo_set_line_width(cr, 2.4);
    SetRgb(cr, Rgb{0, 0, 0}, 0.35);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    SetRgb(cr, locked ? Hex(0xff8a30) : Hex(0xf7f3e8));
    cairo_stroke(cr);
}

Rgb TrackColour(TrackStyle style, double angle)
{
    switch (style) {
    case TrackStyle::Unipolar:
    case TrackStyle::Bipolar:
        return Palette::Amber();
    case TrackStyle::Tone:
        return angle < 0 ? Hex(0x5aa8ff) : Hex(0xff8a3a);
    case TrackStyle::Freq:
        return Hex(0x5ce68a);
    case TrackStyle::Q:
        return Hex(0x8fb4ff);
    }
    return Palette::Amber();
}

void DrawTrack(cairo_t* cr, TrackStyle style, double angle)
{
    const double c = kKnobCentre, r = kTrackRadius;
    const bool bipolar = style == TrackStyle::Bipolar || style == TrackStyle::Tone;
    const double from = bipolar ? 0.0 : -135.0;
    const Rgb colour = TrackColour(style, angle);
    const double lo = std::min(from, angle), hi = std::max(from, angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    if (hi - lo > 0.5) {
        cairo_new_path(cr);
        cairo_arc(cr, c, c, r, Rad(lo), Rad(hi));
        cairo_set_line_width(cr, 4.0);
        SetRgb(cr, colour, 0.22);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 2.0);
        SetRgb(cr, Mix(colour, Rgb{1, 1, 1}, 0.15));
        cairo_stroke(cr);
    }
    // The position itself: a hot dot at the end of the arc.
    const double px = c + std::cos(Rad(angle)) * r, py = c + std::sin(Rad(angle)) * r;
    cairo_new_path(cr);
    cairo_arc(cr, px, py, 2.1, 0, 2 * kPi);
    SetRgb(cr, colour, 0.30);
    cairo_fill(cr);
    cairo_arc(cr, px, py, 1.3, 0, 2 * kPi);
    SetRgb(cr, Mix(colour, Rgb{1, 1, 1}, 0.6));
    cairo_fill(cr);
}

// ---------------------------------------------------------------- faders

void DrawFaderHandle(cairo_t* cr)
{
    // Soft shadow cast downwards onto the slot.
    for (int i = 0; i < 5; ++i) {
        RoundRect(cr, 2.0 - i * 0.3, 3.0 + i * 0.6, 17.0 + i * 0.6, 21.0 + i * 0.5, 2.5);
        SetRgb(cr, Rgb{0, 0, 0}, 0.13);
        cairo_fill(cr);
    }
    // Body.
    RoundRect(cr, 1.0, 0.5, 19.0, 21.5, 2.2);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0.5, 0, 22);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.80, 0.81, 0.83);
    cairo_pattern_add_color_stop_rgb(body, 0.45, 0.55, 0.56, 0.59);
    cairo_pattern_add_color_stop_rgb(body, 0.55, 0.42, 0.43, 0.46);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.22, 0.23, 0.25);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    // Side shading.
    cairo_pattern_t* side = cairo_pattern_create_linear(1, 0, 20, 0);
    cairo_pattern_add_color_stop_rgba(side, 0.0, 0, 0, 0, 0.30);
    cairo_pattern_add_color_stop_rgba(side, 0.2, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(side, 0.8, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(side, 1.0, 0, 0, 0, 0.35);
    RoundRect(cr, 1.0, 0.5, 19.0, 21.5, 2.2);
    cairo_set_source(cr, side);
    cairo_fill(cr);
    cairo_pattern_destroy(side);
    // Ribs above and below the line.
    for (int y : {3, 5, 7, 15, 17, 19}) {
        PixelLine(cr, 3, y, 17, y, Rgb{0, 0, 0}, 0.30);
        PixelLine(cr, 3, y + 1, 17, y + 1, Rgb{1, 1, 1}, 0.12);
    }
    // The indicator line across the middle.
    PixelLine(cr, 1, kFaderLine - 1, 19, kFaderLine - 1, Rgb{0, 0, 0}, 0.55);
    PixelLine(cr, 1, kFaderLine, 19, kFaderLine, Hex(0xfbfaf4));
    PixelLine(cr, 1, kFaderLine + 1, 19, kFaderLine + 1, Rgb{0, 0, 0}, 0.55);
    // Outline.
    RoundRect(cr, 1.5, 1.0, 18.0, 20.5, 1.8);
    cairo_set_line_width(cr, 1.0);
    SetRgb(cr, Rgb{0, 0, 0}, 0.5);
    cairo_stroke(cr);
}

void DrawXFaderHandle(cairo_t* cr)
{
    for (int i = 0; i < 3; ++i) {
        RoundRect(cr, 1.5 + i * 0.4, 2.0 + i * 0.4, 11.0, 12.0, 2.0);
        SetRgb(cr, Rgb{0, 0, 0}, 0.18);
        cairo_fill(cr);
    }
    RoundRect(cr, 0.5, 1.0, 11.5, 12.5, 1.8);
    cairo_pattern_t* body = cairo_pattern_create_linear(0, 1, 0, 13.5);
    cairo_pattern_add_color_stop_rgb(body, 0.0, 0.80, 0.81, 0.83);
    cairo_pattern_add_color_stop_rgb(body, 0.5, 0.50, 0.51, 0.54);
    cairo_pattern_add_color_stop_rgb(body, 1.0, 0.24, 0.25, 0.27);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    for (int x : {2, 4, 8, 10}) {
        PixelLine(cr, x, 3, x, 11, Rgb{0, 0, 0}, 0.28);
        PixelLine(cr, x + 1, 3, x + 1, 11, Rgb{1, 1, 1}, 0.12);
    }
    PixelLine(cr, 5, 1, 5, 13, Rgb{0, 0, 0}, 0.5);
    PixelLine(cr, 6, 1, 6, 13, Hex(0xfbfaf4));
    PixelLine(cr, 7, 1, 7, 13, Rgb{0, 0, 0}, 0.5);
    RoundRect(cr, 1.0, 1.5, 10.5, 11.5, 1.5);
    cairo_set_line_width(cr, 1.0);
    SetRgb(cr, Rgb{0, 0, 0}, 0.5);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------- meters

// Segment colour for a segment counted from the bottom (0..31).
Rgb MeterColour(int fromBottom, bool gainReduction)
{
    if (gainReduction)
        return Palette::Amber();
    if (fromBottom >= 28)
        return Palette::Red();
    if (fromBottom >= 21)
        return Palette::Yellow();
    return Palette::Green();
}

// Lit rows 3i+1, 3i+2 and a gap at row 3i, so the bottom row of the bar is lit.
void DrawMeterBar(cairo_t* cr, double x, double y, bool lit, bool clip, bool gainReduction)
{
    FillRect(cr, x, y, kMeterW, kMeterH, Hex(0x060607));
    for (int i = 0; i < kMeterH / 3; ++i) {
        const int fromBottom = kMeterH / 3 - 1 - i;
        const Rgb c = clip ? Palette::Red() : MeterColour(fromBottom, gainReduction);
        if (lit) {
            FillRect(cr, x, y + 3 * i + 1, kMeterW, 2, Mix(c, Rgb{1, 1, 1}, 0.18));
            FillRect(cr, x + 1, y + 3 * i + 1, 1, 1, Mix(c, Rgb{1, 1, 1}, 0.55));
        } else {
            FillRect(cr, x, y + 3 * i + 1, kMeterW, 2, Scale(c, 0.16));
        }
    }
}

// ---------------------------------------------------------------- buttons

void ButtonBezel(cairo_t* cr, double x, double y, double w, double h, double r)
{
    RoundRect(cr, x, y, w, h, r);
    SetRgb(cr, Palette::Bezel());
    cairo_fill(cr);
}

void ButtonFace(cairo_t* cr, double x, double y, double w, double h, double r, bool pressed)
{
    RoundRect(cr, x, y, w, h, r);
    if (pressed)
        SetVertical(cr, y, y + h, Hex(0x1f2124), Hex(0x34373c));
    else
        SetVertical(cr, y, y + h, Hex(0x62666d), Hex(0x2c2e32));
    cairo_fill(cr);
    if (!pressed) {
        // Bright top edge.
        cairo_save(cr);
        RoundRect(cr, x, y, w, h, r);
        cairo_clip(cr);
        FillRect(cr, x, y, w, 1, Rgb{1, 1, 1}, 0.22);
        cairo_restore(cr);
    } else {
        cairo_save(cr);
        RoundRect(cr, x, y, w, h, r);
        cairo_clip(cr);
        FillRect(cr, x, y, w, 1.5, Rgb{0, 0, 0}, 0.55);
        cairo_restore(cr);
    }
}

// A lens of the lamp buttons: 9 x 9 at (x, y).
void Lens(cairo_t* cr, double x, double y, double w, double h, Rgb colour, bool lit)
{
    if (lit) {
        // Glow onto the bezel.
        RoundRect(cr, x - 1.5, y - 1.5, w + 3, h + 3, 2.5);
        SetRgb(cr, colour, 0.35);
        cairo_fill(cr);
        RoundRect(cr, x, y, w, h, 1.3);
        cairo_pattern_t* p =
            cairo_pattern_create_radial(x + w / 2, y + h / 2 - 1, 0, x + w / 2, y + h / 2, w * 0.75);
        const Rgb hot = Mix(colour, Rgb{1, 1, 1}, 0.65);
        cairo_pattern_add_color_stop_rgb(p, 0, hot.r, hot.g, hot.b);
        cairo_pattern_add_color_stop_rgb(p, 0.55, colour.r, colour.g, colour.b);
        const Rgb edge = Scale(colour, 0.75);
        cairo_pattern_add_color_stop_rgb(p, 1, edge.r, edge.g, edge.b);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    } else {
        RoundRect(cr, x, y, w, h, 1.3);
        SetVertical(cr, y, y + h, Scale(colour, 0.30), Scale(colour, 0.14));
        cairo_fill(cr);
        // Glass reflection.
        cairo_save(cr);
        RoundRect(cr, x, y, w, h, 1.3);
        cairo_clip(cr);
        FillRect(cr, x, y, w, 1, Rgb{1, 1, 1}, 0.18);
        cairo_restore(cr);
    }
}

// Filter-shape icons of the EQ type buttons and symbols (pixel patterns).
const char* FilterIcon(const std::string& name)
{
    if (name.find("Bell") != std::string::npos)
        return "..##..|.#..#.|#....#";
    if (name.find("LowTypePushShelf") != std::string::npos)
        return "##....|..#...|...###";
    if (name.find("HiTypePushShelf") != std::string::npos)
        return "...###|..#...|##....";
    if (name.find("Hpf") != std::string::npos)
        return "...###|..#...|..#...|.#....";
    if (name.find("Lpf") != std::string::npos)
        return "###...|...#..|...#..|....#.";
    return "";
}

Surface Opaque(int w, int h) { return Surface(w, h); }

Surface Drawing(int w, int h) { return Surface(w, h, CAIRO_FORMAT_ARGB32); }

}  // namespace

double KnobFrameAngle(int t)
{
    if (t == 14)
        return 0.0;
    if (t == 15)
        return 6.0;
    if (t == 13)
        return -6.0;
    if (t >= 16)
        return 15.0 + (t - 16) * 10.0;
    return -(15.0 + (12 - t) * 10.0);
}

bool LampStyleOf(const std::string& lit, LampStyle* style)
{
    struct Entry {
        const char* name;
        Rgb colour;
        const char* glyph;
    };
    const Entry entries[] = {
        {"Enable.bmp", Palette::Green(), ""},   {"Mute.bmp", Palette::Red(), "M"},
        {"Solo.bmp", Palette::Yellow(), "S"},   {"Hw.bmp", Palette::Amber(), "H"},
        {"Dim.bmp", Palette::Blue(), "D"},      {"Custom.bmp", Palette::Cyan(), "C"},
        {"Stereo.bmp", Palette::Ice(), "ST"},
    };
    for (const Entry& e : entries)
        if (lit == e.name) {
            *style = LampStyle{e.colour, e.glyph};
            return true;
        }
    return false;
}

Rgb DisplayFace() { return Hex(0x121517); }

void DrawKnobWell(cairo_t* cr, const Box& r)
{
    const double cx = r.x + kKnobCentre, cy = r.y + kKnobCentre;
    cairo_save(cr);
    // Recessed well.
    cairo_arc(cr, cx, cy + 0.4, 13.3, 0, 2 * kPi);
    SetRgb(cr, Rgb{1, 1, 1}, 0.07);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 13.0, 0, 2 * kPi);
    cairo_pattern_t* well = cairo_pattern_create_radial(cx, cy - 2, 4, cx, cy, 13.0);
    cairo_pattern_add_color_stop_rgb(well, 0, 0.11, 0.115, 0.125);
    cairo_pattern_add_color_stop_rgb(well, 1, 0.065, 0.07, 0.075);
    cairo_set_source(cr, well);
    cairo_fill(cr);
    cairo_pattern_destroy(well);
    // The unlit track: a groove the lit arcs lie in.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, kTrackRadius, Rad(-135), Rad(135));
    cairo_set_line_width(cr, 2.6);
    SetRgb(cr, Hex(0x030304));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, kTrackRadius, Rad(-135), Rad(135));
    cairo_set_line_width(cr, 1.0);
    SetRgb(cr, Hex(0x2a2620));
    cairo_stroke(cr);
    // End marks.
    for (double a : {-135.0, 135.0}) {
        cairo_arc(cr, cx + std::cos(Rad(a)) * kTrackRadius, cy + std::sin(Rad(a)) * kTrackRadius, 0.9, 0, 2 * kPi);
        SetRgb(cr, Palette::SilkDim(), 0.8);
        cairo_fill(cr);
    }
    // Shadow the cap casts.
    cairo_pattern_t* shade = cairo_pattern_create_radial(cx + 0.8, cy + 1.4, 6.0, cx + 0.8, cy + 1.4, 10.4);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0.85);
    cairo_pattern_add_color_stop_rgba(shade, 1, 0, 0, 0, 0.0);
    cairo_arc(cr, cx + 0.8, cy + 1.4, 10.4, 0, 2 * kPi);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
}

void DrawFaderSlot(cairo_t* cr, const Box& r, bool scale)
{
    cairo_save(cr);
    const double cx = r.x + r.w / 2.0;
    const int top = r.y + kFaderTop + kFaderLine - 3, bottom = r.y + kFaderTop + kFaderTravel + kFaderLine + 3;
    if (scale) {
        // Scale ticks on both sides: ten steps over the travel, long at 0, 5 and 10.
        for (int i = 0; i <= 10; ++i) {
            const int y = r.y + kFaderTop + kFaderLine + int(std::lround(i * kFaderTravel / 10.0));
            const int len = (i % 5 == 0) ? 4 : 2;
            PixelLine(cr, r.x + 1, y, r.x + len, y, Palette::SilkDim(), 0.9);
            PixelLine(cr, r.x + r.w - 1 - len, y, r.x + r.w - 2, y, Palette::SilkDim(), 0.9);
        }
    }
    Recess(cr, cx - 2.5, top, 5, bottom - top, 2, Hex(0x050506));
    FillRect(cr, cx - 0.5, top + 2, 1, bottom - top - 4, Hex(0x1d1e20));
    cairo_restore(cr);
}

void DrawXFaderSlot(cairo_t* cr, const Box& r, int step)
{
    cairo_save(cr);
    const int travel = std::max(1, r.w - kXHandleW - 3);
    // The tray the handle runs in (the tray mask's opening).
    Recess(cr, r.x + 1, r.y + 1.5, r.w - 2, 12.5, 2.0, Hex(0x0d0e10));
    const double y = r.y + 7.5;
    cairo_move_to(cr, r.x + 1 + kXHandleW / 2.0, y);
    cairo_line_to(cr, r.x + 1 + travel + kXHandleW / 2.0, y);
    cairo_set_line_width(cr, 2.0);
    SetRgb(cr, Hex(0x000000));
    cairo_stroke(cr);
    if (step > 1) {
        for (int p = 0; p <= travel + step / 2; p += step) {
            const int x = r.x + 1 + std::min(p, travel) + kXHandleW / 2;
            PixelLine(cr, x, r.y + 3, x, r.y + 4, Palette::Accent(), 0.85);
            PixelLine(cr, x, r.y + 10, x, r.y + 11, Palette::Accent(), 0.85);
        }
    } else {
        for (int i = 0; i <= 4; ++i) {
            const int x = r.x + 1 + kXHandleW / 2 + int(std::lround(i * travel / 4.0));
            const int len = i == 2 ? 2 : 1;
            PixelLine(cr, x, r.y + 2, x, r.y + 2 + len, Palette::SilkDim());
            PixelLine(cr, x, r.y + 12 - len, x, r.y + 12, Palette::SilkDim());
        }
    }
    cairo_restore(cr);
}

void DrawMeterOff(cairo_t* cr, const Box& r, bool gainReduction)
{
    cairo_save(cr);
    Recess(cr, r.x - 1.5, r.y - 1.5, r.w + 3, r.h + 3, 1, Hex(0x050506));
    DrawMeterBar(cr, r.x, r.y, false, false, gainReduction);
    cairo_restore(cr);
}

void DrawLampButton(cairo_t* cr, const Box& r, const LampStyle& style, bool lit)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    if (!lit) {
        ButtonBezel(cr, 0, 0, r.w, r.h, 2.6);
        ButtonFace(cr, 1, 1, r.w - 2, r.h - 2, 2.0, false);
    }
    const double lx = 3, ly = 3, lw = r.w - 6, lh = r.h - 6;
    Lens(cr, lx, ly, lw, lh, style.colour, lit);
    if (!style.glyph.empty()) {
        const int tw = PixelFont::Measure(style.glyph) - 1;
        const int gx = int(lx + (lw - tw) / 2.0 + 0.5);
        const int gy = int(ly + (lh - 5) / 2.0 + 0.5) - PixelFont::kTop;
        if (lit)
            PixelFont::Draw(cr, gx, gy, style.glyph, Scale(style.colour, 0.30), 0.9);
        else
            PixelFont::Draw(cr, gx, gy, style.glyph, Mix(style.colour, Rgb{1, 1, 1}, 0.3), 0.55);
    }
    cairo_restore(cr);
}

void DrawEqTypeButton(cairo_t* cr, const Box& r, const std::string& litImage, bool lit)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    if (!lit) {
        ButtonBezel(cr, 0, 0, r.w, r.h, 2.4);
        ButtonFace(cr, 1, 1, r.w - 2, r.h - 2, 1.8, false);
    }
    const Rgb c = Palette::Cyan();
    Lens(cr, 2.5, 2.5, r.w - 5, r.h - 5, c, lit);
    const char* icon = FilterIcon(litImage);
    const int rows = int(std::count(icon, icon + strlen(icon), '|')) + 1;
    const int ix = (r.w - 6) / 2, iy = (r.h - rows) / 2;
    PixelPattern(cr, ix, iy, icon, lit ? Scale(c, 0.25) : Mix(c, Rgb{1, 1, 1}, 0.2), lit ? 0.95 : 0.6);
    cairo_restore(cr);
}

void DrawTextLamp(cairo_t* cr, const Box& r, const std::string& litImage, bool lit)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    const bool inUse = litImage == "InUse.bmp";
    const Rgb c = inUse ? Palette::Amber() : Palette::Green();
    FillRect(cr, 0, 0, r.w, r.h, Palette::Bezel());
    FillRect(cr, 1, 1, r.w - 2, r.h - 2, lit ? Scale(c, 0.22) : Hex(0x0b0c0c));
    auto text = [&](const std::string& t, int y) {
        if (lit) {
            PixelFont::DrawCentred(cr, r.w / 2.0, y + 1, t, c, 0.35);
            PixelFont::DrawCentred(cr, r.w / 2.0 - 1, y, t, Mix(c, Rgb{1, 1, 1}, 0.35));
        } else {
            PixelFont::DrawCentred(cr, r.w / 2.0, y, t, Scale(c, 0.30));
        }
    };
    if (inUse) {
        text("IN", 1);
        text("USE", 8);
    } else {
        text("LOCK", 1);
    }
    // Glass reflection.
    FillRect(cr, 1, 1, r.w - 2, 1, Rgb{1, 1, 1}, 0.08);
    cairo_restore(cr);
}

void DrawPushButton(cairo_t* cr, const Box& r, const std::string& pressedImage, bool pressed)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    const int dy = pressed ? 1 : 0;
    if (pressedImage == "PushDouble1.bmp" || pressedImage == "PushDouble2.bmp") {
        const bool top = pressedImage == "PushDouble1.bmp";
        // The two halves of a double button share one separator row: the top half's last row and
        // the bottom half's first row lie on the same window row.
        HalfRoundRect(cr, 0, 0, r.w, r.h, 2.6, top);
        SetRgb(cr, Palette::Bezel());
        cairo_fill(cr);
        HalfRoundRect(cr, 1, 1, r.w - 2, r.h - 2, 2.0, top);
        if (pressed)
            SetVertical(cr, 1, r.h - 1, Hex(0x1f2124), Hex(0x34373c));
        else
            SetVertical(cr, 1, r.h - 1, Hex(0x62666d), Hex(0x2c2e32));
        cairo_fill(cr);
        FillRect(cr, 2, 1 + dy, r.w - 4, 1, pressed ? Rgb{0, 0, 0} : Rgb{1, 1, 1}, pressed ? 0.5 : 0.2);
        // A small arrow marks which half it is.
        const char* mark = top ? ".#.|###" : "###|.#.";
        PixelPattern(cr, r.w / 2 - 1, r.h / 2 - 1 + dy, mark, Palette::Silk(), pressed ? 0.55 : 0.75);
    } else if (pressedImage == "PushRev.bmp") {
        // 25 x 25 button; a rectangle taller than that keeps a shadow row below it in the backdrop,
        // which the pressed image (25 x 25) leaves alone.
        if (r.h > 25)
            FillRect(cr, 0, 25, 25, 1, Rgb{0, 0, 0}, 0.55);
        ButtonBezel(cr, 0, 0, 25, 25, 3.5);
        ButtonFace(cr, 1, 1, 23, 23, 3.0, pressed);
        PixelFont::DrawCentred(cr, 12.5, 9 - PixelFont::kTop + dy, "REV", pressed ? Palette::Accent() : Palette::Silk(),
                               pressed ? 1.0 : 0.9);
        // A little room symbol: two arcs.
        cairo_set_line_width(cr, 1.0);
        for (double rr : {3.0, 5.0}) {
            cairo_new_path(cr);
            cairo_arc(cr, 12.5, 20.5 + dy, rr, kPi * 1.15, kPi * 1.85);
            SetRgb(cr, pressed ? Palette::Accent() : Palette::SilkDim(), 0.8);
            cairo_stroke(cr);
        }
    } else {
        ButtonBezel(cr, 0, 0, r.w, r.h, 2.6);
        ButtonFace(cr, 1, 1, r.w - 2, r.h - 2, 2.0, pressed);
        if (pressedImage == "PushToggle.bmp") {
            // Up and down arrows: swap / switch halves.
            PixelPattern(cr, r.w / 2 - 3, r.h / 2 - 3 + dy, ".#.....|###....|.#...#.|.#...#.|.#...#.|....###|.....#.",
                         Palette::Silk(), pressed ? 0.6 : 0.85);
        } else {
            cairo_arc(cr, r.w / 2.0, r.h / 2.0 + dy, 1.6, 0, 2 * kPi);
            SetRgb(cr, Palette::Silk(), pressed ? 0.45 : 0.7);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void DrawMixScreen(cairo_t* cr, double x, double y, bool input)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    const Rgb lcd = input ? Hex(0xd6c48e) : Hex(0xb4cba0);
    SetVertical(cr, 0, 17, Mix(lcd, Rgb{1, 1, 1}, 0.15), Scale(lcd, 0.86));
    cairo_rectangle(cr, 0, 0, 15, 17);
    cairo_fill(cr);
    // Column guides under the crosses (window columns 6, 9, .. or 6, 10, ..; the screen sits at 5).
    const Rgb guide = Scale(lcd, 0.80);
    if (input) {
        for (int gx : {1, 5, 9, 13})
            PixelLine(cr, gx, 1, gx, 15, guide);
    } else {
        for (int gx : {1, 4, 7, 10, 13})
            PixelLine(cr, gx, 1, gx, 15, guide);
    }
    // Full-scale and zero lines (cross centres at rows 1 and 15 of the screen).
    PixelLine(cr, 0, 1, 14, 1, guide, 0.6);
    PixelLine(cr, 0, 15, 14, 15, guide, 0.6);
    cairo_restore(cr);
}

void DrawMixButton(cairo_t* cr, const Box& r, bool input, bool pressed)
{
    cairo_save(cr);
    cairo_translate(cr, r.x, r.y);
    ButtonBezel(cr, 0, 0, 25, 25, 3.0);
    ButtonFace(cr, 1, 1, 23, 23, 2.5, pressed);
    // Screen frame.
    FillRect(cr, 4, 3, 17, 19, Hex(0x08090a));
    DrawMixScreen(cr, kMixScreenX, kMixScreenY, input);
    if (pressed)
        FillRect(cr, kMixScreenX, kMixScreenY, 15, 1, Rgb{0, 0, 0}, 0.25);
    cairo_restore(cr);
}

void DrawLedSocket(cairo_t* cr, const Box& r)
{
    cairo_save(cr);
    const double cx = r.x + 6.5, cy = r.y + 4.5;
    cairo_arc(cr, cx, cy, 3.4, 0, 2 * kPi);
    SetRgb(cr, Hex(0x020202));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 2.4, 0, 2 * kPi);
    SetVertical(cr, cy - 2.4, cy + 2.4, Hex(0x2c2f31), Hex(0x151718));
    cairo_fill(cr);
    cairo_restore(cr);
}

void DrawEffectTray(cairo_t* cr, double x, double y, bool secondOrder)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    FillRect(cr, 0, 0, 29, 117, Palette::Bezel());
    RoundRect(cr, 1, 1, 27, 115, 2);
    SetVertical(cr, 1, 116, Hex(0x24262a), Hex(0x1b1c1f));
    cairo_fill(cr);
    // Sockets of the slot buttons and the type buttons.
    FillRect(cr, 3, 3, 27, 27, Hex(0x08090a));
    FillRect(cr, 3, 87, 27, 27, Hex(0x08090a));
    for (int sy : {28, 72}) {
        RoundRect(cr, 1, sy, 17, 17, 2);
        SetRgb(cr, Hex(0x0a0b0c));
        cairo_fill(cr);
        RoundRect(cr, 2.5, sy + 1.5, 14, 14, 1.5);
        SetRgb(cr, Hex(0x2a2c30), 0.8);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    // The socket that holds the type button in this order is marked in amber.
    const int active = secondOrder ? 72 : 28;
    FillRect(cr, 19, active + 6, 2, 5, Palette::Accent(), 0.9);
    // Signal flow from the upper slot to the lower one.
    const double ax = 24.5;
    cairo_move_to(cr, ax, 33);
    cairo_line_to(cr, ax, 82);
    cairo_set_line_width(cr, 1.0);
    SetRgb(cr, Palette::SilkDim(), 0.8);
    cairo_stroke(cr);
    PixelPattern(cr, 22, 81, "#####|.###.|..#..", Palette::SilkDim(), 0.9);
    // Lamp window of the effect lamps.
    FillRect(cr, 3, 48, 13, 21, Hex(0x08090a));
    FillRect(cr, 4, 49, 11, 19, DisplayFace());
    cairo_restore(cr);
}

void DrawLogo(cairo_t* cr, const Box& r)
{
    cairo_save(cr);
    const double s = std::min(r.w, r.h);
    const double badge = std::min(s, r.w >= 40 ? 30.0 : s);
    const double bx = r.x + (r.w - badge) / 2.0;
    const bool withName = r.h - badge >= 12;
    const double by = withName ? r.y + 2 : r.y + (r.h - badge) / 2.0;
    // Badge: a dark enamel disc in a bright ring with the maker's mark.
    const double cx = bx + badge / 2, cy = by + badge / 2, R = badge / 2 - 1;
    cairo_arc(cr, cx + 0.5, cy + 0.8, R + 0.6, 0, 2 * kPi);
    SetRgb(cr, Rgb{0, 0, 0}, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, R, 0, 2 * kPi);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - R, cy - R, cx + R, cy + R);
    cairo_pattern_add_color_stop_rgb(ring, 0, 0.86, 0.86, 0.84);
    cairo_pattern_add_color_stop_rgb(ring, 1, 0.38, 0.39, 0.41);
    cairo_set_source(cr, ring);
    cairo_fill(cr);
    cairo_pattern_destroy(ring);
    cairo_arc(cr, cx, cy, R * 0.84, 0, 2 * kPi);
    SetVertical(cr, cy - R, cy + R, Hex(0x1d1f23), Hex(0x0b0c0d));
    cairo_fill(cr);
    // The mark: a V whose right arm runs on as a sine wave.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double u = R * 0.84;
    cairo_move_to(cr, cx - u * 0.62, cy - u * 0.42);
    cairo_line_to(cr, cx - u * 0.12, cy + u * 0.50);
    cairo_line_to(cr, cx + u * 0.22, cy - u * 0.20);
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        cairo_line_to(cr, cx + u * (0.22 + 0.45 * t), cy - u * 0.20 - std::sin(t * kPi) * u * 0.28);
    }
    cairo_set_line_width(cr, std::max(1.3, badge / 11.0));
    SetRgb(cr, Palette::Accent());
    cairo_stroke(cr);
    if (withName) {
        const double size = std::min(6.0, (r.w - 2) / 7.4);
        cairo_set_line_width(cr, 1.0);
        SetRgb(cr, Palette::Silk());
        StrokeFont::StrokeCentred(cr, r.x + r.w / 2.0, by + badge + 4, "VELBRIN", size, 1.5);
    }
    cairo_restore(cr);
}

namespace {

// The knobs: cap strips (plain and locked) with their mask, and the track strips of each kind.
void AddKnobBitmaps(ArtworkSet& set)
{
    // Knob caps and their mask.
    for (bool locked : {false, true}) {
        Surface strip = Opaque(kCapPitch * kKnobFrames, kCapSize);
        for (int t = 0; t < kKnobFrames; ++t) {
            Surface frame = Drawing(kCapSize, kCapSize);
            {
                Cairo cr(frame);
                DrawCap(cr, KnobFrameAngle(t), locked);
            }
            Surface colour, mask;
            SplitAlpha(frame, &colour, &mask);
            Blit(colour, strip, t * kCapPitch, 0);
            if (t == 0 && !locked)
                set.Add("KnobMask.bmp", std::move(mask), "mask");
        }
        set.AddStrip(locked ? "KnobRotationHw.bmp" : "KnobRotation.bmp", std::move(strip), kKnobFrames,
                     kCapPitch, kCapSize, "KnobMask.bmp");
    }
    // Track arcs: one colour strip and one mask strip per kind.
    struct Track {
        const char* name;
        const char* mask;
        TrackStyle style;
    };
    const Track tracks[] = {
        {"KnobTrackRotation.bmp", "KnobTrackMask.bmp", TrackStyle::Unipolar},
        {"KnobTrackRotation2.bmp", "KnobTrackMask2.bmp", TrackStyle::Bipolar},
        {"KnobTrackRotation6.bmp", "KnobTrackMask6.bmp", TrackStyle::Bipolar},
        {"KnobTrackTone.bmp", "KnobTrackToneMask.bmp", TrackStyle::Tone},
        {"KnobTrackFreq.bmp", "KnobTrackFreqMask.bmp", TrackStyle::Freq},
        {"KnobTrackQ.bmp", "KnobTrackQMask.bmp", TrackStyle::Q},
    };
    for (const Track& tr : tracks) {
        Surface drawing = Drawing(kTrackPitch * kKnobFrames, kTrackSize);
        {
            Cairo cr(drawing);
            for (int t = 0; t < kKnobFrames; ++t) {
                cairo_save(cr);
                cairo_rectangle(cr, t * kTrackPitch, 0, kTrackPitch, kTrackSize);
                cairo_clip(cr);
                cairo_translate(cr, t * kTrackPitch, 0);
                DrawTrack(cr, tr.style, KnobFrameAngle(t));
                cairo_restore(cr);
            }
        }
        Surface colour, mask;
        SplitAlpha(drawing, &colour, &mask);
        set.AddStrip(tr.name, std::move(colour), kKnobFrames, kTrackPitch, kTrackSize, tr.mask);
        ArtBitmap& m = set.AddStrip(tr.mask, std::move(mask), kKnobFrames, kTrackPitch, kTrackSize, "");
        m.role = "mask";
    }
}

// The faders: handles with their masks, and the tray masks.
void AddFaderBitmaps(ArtworkSet& set)
{
    // Fader handles.
    {
        Surface drawing = Drawing(kFaderHandleW, kFaderHandleH), colour, mask;
        {
            Cairo cr(drawing);
            DrawFaderHandle(cr);
        }
        SplitAlpha(drawing, &colour, &mask);
        set.Add("FaderHandle.bmp", std::move(colour)).mask = "FaderHandleMask.bmp";
        set.Add("FaderHandleMask.bmp", std::move(mask), "mask");
    }
    {
        Surface drawing = Drawing(kXHandleW, kXHandleH), colour, mask;
        {
            Cairo cr(drawing);
            DrawXFaderHandle(cr);
        }
        SplitAlpha(drawing, &colour, &mask);
        set.Add("XFaderHandle.bmp", std::move(colour)).mask = "XFaderHandleMask.bmp";
        set.Add("XFaderHandleMask.bmp", std::move(mask), "mask");
    }
    // Tray masks: the opening of the tray the handle shows in, the size of the slider.
    struct TrayMask {
        const char* name;
        int w, h;
    };
    for (const TrayMask& tm : {TrayMask{"XFaderTrayMask.bmp", 112, 15}, TrayMask{"XFaderTrayMaskEQ.bmp", 136, 15},
                               TrayMask{"CompXFaderTrayMask.bmp", 214, 15}}) {
        Surface drawing = Drawing(tm.w, tm.h), colour, mask;
        {
            Cairo cr(drawing);
            RoundRect(cr, 1, 1.5, tm.w - 2, tm.h - 2.5, 2.0);
            SetRgb(cr, Rgb{1, 1, 1});
            cairo_fill(cr);
        }
        SplitAlpha(drawing, &colour, &mask);
        set.Add(tm.name, std::move(mask), "mask");
    }
    {
        // The vertical fader draws without a tray mask; this one marks the handle's travel.
        Surface mask = Opaque(kFaderHandleW, 128);
        Cairo cr(mask);
        FillRect(cr, 0, kFaderTop, kFaderHandleW, kFaderTravel + kFaderHandleH, Rgb{1, 1, 1});
        cairo_surface_flush(mask.get());
        set.Add("FaderTrayMask.bmp", mask.Clone(), "mask");
    }
}

// The meters' bars: peak (plain and clipping) and gain reduction.
void AddMeterBitmaps(ArtworkSet& set)
{
    struct Bar {
        const char* name;
        bool clip, gr;
    };
    for (const Bar& b : {Bar{"meter.bmp", false, false}, Bar{"meterclip.bmp", true, false}, Bar{"grmeter.bmp", false, true}}) {
        Surface s = Opaque(kMeterW, kMeterH);
        {
            Cairo cr(s);
            DrawMeterBar(cr, 0, 0, true, b.clip, b.gr);
        }
        set.Add(b.name, std::move(s));
    }
}

// The lamps: lamp buttons with their masks, the EQ band-type buttons, the sample-rate window's text
// lamps.
void AddLampBitmaps(ArtworkSet& set)
{
    // Lamp buttons: the lit lens over the button, and the lens mask all 15 x 15 buttons share.
    const char* lamps[] = {"Enable.bmp", "Mute.bmp", "Solo.bmp", "Hw.bmp", "Dim.bmp", "Custom.bmp", "Stereo.bmp"};
    for (const char* name : lamps) {
        LampStyle style;
        LampStyleOf(name, &style);
        Surface s = Opaque(15, 15);
        {
            Cairo cr(s);
            DrawLampButton(cr, Box{0, 0, 15, 15}, style, false);
            DrawLampButton(cr, Box{0, 0, 15, 15}, style, true);
        }
        set.Add(name, std::move(s)).mask = "ButtonLitMask.bmp";
    }
    for (const char* maskName : {"ButtonLitMask.bmp", "EnableMask.bmp"}) {
        Surface drawing = Drawing(15, 15), colour, mask;
        {
            Cairo cr(drawing);
            RoundRect(cr, 1.5, 1.5, 12, 12, 2.5);
            SetRgb(cr, Rgb{1, 1, 1}, 0.55);
            cairo_fill(cr);
            RoundRect(cr, 3, 3, 9, 9, 1.3);
            SetRgb(cr, Rgb{1, 1, 1});
            cairo_fill(cr);
        }
        SplitAlpha(drawing, &colour, &mask);
        set.Add(maskName, std::move(mask), "mask");
    }
    // EQ band-type buttons (14 x 14) and their mask.
    const char* eqTypes[] = {"EqLowTypePushBell.bmp", "EqLowTypePushShelf.bmp", "EqLowTypePushHpf.bmp",
                             "EqHiTypePushBell.bmp",  "EqHiTypePushShelf.bmp",  "EqHiTypePushLpf.bmp"};
    for (const char* name : eqTypes) {
        Surface s = Opaque(14, 14);
        {
            Cairo cr(s);
            DrawEqTypeButton(cr, Box{0, 0, 14, 14}, name, false);
            DrawEqTypeButton(cr, Box{0, 0, 14, 14}, name, true);
        }
        set.Add(name, std::move(s)).mask = "EqButtonLitMask.bmp";
    }
    {
        Surface drawing = Drawing(14, 14), colour, mask;
        {
            Cairo cr(drawing);
            RoundRect(cr, 1, 1, 12, 12, 2.2);
            SetRgb(cr, Rgb{1, 1, 1}, 0.55);
            cairo_fill(cr);
            RoundRect(cr, 2.5, 2.5, 9, 9, 1.3);
            SetRgb(cr, Rgb{1, 1, 1});
            cairo_fill(cr);
        }
        SplitAlpha(drawing, &colour, &mask);
        set.Add("EqButtonLitMask.bmp", std::move(mask), "mask");
    }
    // Text lamps of the sample-rate window, copied whole over their place.
    for (auto [name, w, h] : {std::make_tuple("InUse.bmp", 20, 17), std::make_tuple("Lck.bmp", 20, 9)}) {
        Surface s = Opaque(w, h);
        {
            Cairo cr(s);
            DrawTextLamp(cr, Box{0, 0, w, h}, name, true);
        }
        set.Add(name, std::move(s));
    }
}

// The pressed push buttons.
void AddPushButtonBitmaps(ArtworkSet& set)
{
    for (auto [name, w, h] : {std::make_tuple("PushSingle.bmp", 15, 15), std::make_tuple("PushDouble1.bmp", 15, 15),
                              std::make_tuple("PushDouble2.bmp", 15, 15), std::make_tuple("PushToggle.bmp", 15, 15),
                              std::make_tuple("PushRev.bmp", 25, 25)}) {
        Surface s = Opaque(w, h);
        {
            Cairo cr(s);
            FillRect(cr, 0, 0, w, h, Palette::Bezel());
            DrawPushButton(cr, Box{0, 0, w, h}, name, true);
        }
        set.Add(name, std::move(s));
    }
}

// The mix buttons: the screen the crosses are drawn on, and the pressed button with its screen.
void AddMixButtonBitmaps(ArtworkSet& set)
{
    for (bool input : {false, true}) {
        Surface screen = Opaque(15, 17);
        {
            Cairo cr(screen);
            DrawMixScreen(cr, 0, 0, input);
        }
        set.Add(input ? "IpMix.bmp" : "CueMix.bmp", std::move(screen));
        Surface pressed = Opaque(25, 25);
        {
            Cairo cr(pressed);
            FillRect(cr, 0, 0, 25, 25, Palette::Bezel());
            DrawMixButton(cr, Box{0, 0, 25, 25}, input, true);
        }
        set.Add(input ? "PushIpMix.bmp" : "PushCueMix.bmp", std::move(pressed));
    }
}

// The effect chain: slot buttons, type switches, lamps and trays.
void AddEffectBitmaps(ArtworkSet& set)
{
    // Effect slot buttons (25 x 25, copied whole) and their pressed forms.
    struct Slot {
        const char* name;
        const char* label;
        Rgb tint;
        int slot;
    };
    const Slot slots[] = {
        {"Comp", "COMP", Hex(0x4f86c6), 0}, {"Eq1", "EQ", Hex(0x4fbf74), 1}, {"Eq2", "EQ", Hex(0x4fbf74), 2},
        {"Amp1", "AMP", Hex(0xd9823b), 1},  {"Amp2", "AMP", Hex(0xd9823b), 2},
    };
    for (const Slot& sl : slots) {
        for (bool pressed : {false, true}) {
            Surface s = Opaque(25, 25);
            {
                Cairo cr(s);
                const int dy = pressed ? 1 : 0;
                FillRect(cr, 0, 0, 25, 25, Palette::Bezel());
                RoundRect(cr, 1, 1, 23, 23, 2.5);
                if (pressed)
                    SetVertical(cr, 1, 24, Scale(sl.tint, 0.22), Scale(sl.tint, 0.38));
                else
                    SetVertical(cr, 1, 24, Scale(sl.tint, 0.62), Scale(sl.tint, 0.28));
                cairo_fill(cr);
                FillRect(cr, 2, 1, 21, 1, pressed ? Rgb{0, 0, 0} : Rgb{1, 1, 1}, pressed ? 0.5 : 0.25);
                // The compressor's image serves either slot: its label alone, in the middle.
                const int labelTop = sl.slot ? 6 : 10;
                PixelFont::DrawCentred(cr, 12.5, labelTop + 1 - PixelFont::kTop + dy, sl.label, Rgb{0, 0, 0}, 0.35);
                PixelFont::DrawCentred(cr, 12.0, labelTop - PixelFont::kTop + dy, sl.label, Hex(0xf6f3ea));
                if (sl.slot) {
                    // The slot as a place in the chain, not a number: two cells joined by an arrow down,
                    // as the slots stand in the window, the cell of this slot lit.
                    for (int cell = 1; cell <= 2; ++cell) {
                        const int top = (cell == 1 ? 12 : 19) + dy;
                        FillRect(cr, 7, top, 11, 3, Rgb{0, 0, 0}, 0.4);
                        if (cell == sl.slot)
                            FillRect(cr, 7, top, 11, 3, Hex(0xf6f3ea), 0.95);
                        else
                            PixelPattern(cr, 7, top, "###########|#.........#|###########", Hex(0xf6f3ea), 0.45);
                    }
                    PixelPattern(cr, 11, 16 + dy, "###|.#.", Hex(0xf6f3ea), 0.6);
                }
            }
            set.Add(std::string(pressed ? "Push" : "") + sl.name + ".bmp", std::move(s));
        }
    }
    // Effect-type switches beside the slots (drawn whole): normal and pressed.
    for (int n : {1, 2}) {
        for (bool pressed : {false, true}) {
            Surface s = Opaque(15, 15);
            {
                Cairo cr(s);
                const int dy = pressed ? 1 : 0;
                FillRect(cr, 0, 0, 15, 15, Palette::Bezel());
                ButtonFace(cr, 1, 1, 13, 13, 2.0, pressed);
                PixelPattern(cr, 3, 4 + dy, ".#.....|#######|.#.....|.....#.|#######|.....#.",
                             pressed ? Palette::Accent() : Palette::Silk(), 0.85);
                FillRect(cr, 5, n == 1 ? 1 : 13, 5, 1, Palette::Accent(), pressed ? 1.0 : 0.7);
            }
            set.Add(std::string(pressed ? "PushType" : "Toggle") + std::to_string(n) + ".bmp", std::move(s));
        }
    }
    // Effect lamps: which of EQ (green) and amp simulator (amber) is switched in, and in which slot.
    for (int i = 0; i < 4; ++i) {
        Surface s = Opaque(11, 19);
        {
            Cairo cr(s);
            FillRect(cr, 0, 0, 11, 19, DisplayFace());
            const bool amp = (i & 1) != 0, lower = (i & 2) != 0;
            const Rgb c = amp ? Palette::Amber() : Palette::Green();
            for (int k = 0; k < 2; ++k) {
                const double cy = k == 0 ? 5.5 : 13.5;
                const bool lit = (k == 1) == lower;
                if (lit) {
                    cairo_arc(cr, 5.5, cy, 4.2, 0, 2 * kPi);
                    SetRgb(cr, c, 0.25);
                    cairo_fill(cr);
                }
                cairo_arc(cr, 5.5, cy, 2.5, 0, 2 * kPi);
                if (lit)
                    SetRgb(cr, Mix(c, Rgb{1, 1, 1}, 0.35));
                else
                    SetRgb(cr, Hex(0x26292b));
                cairo_fill(cr);
            }
        }
        set.Add("selled" + std::to_string(i + 1) + ".bmp", std::move(s));
    }
    // Effect trays.
    for (int n : {1, 2}) {
        Surface s = Opaque(29, 117);
        {
            Cairo cr(s);
            DrawEffectTray(cr, 0, 0, n == 2);
        }
        set.Add("Tray" + std::to_string(n) + ".bmp", std::move(s));
    }
}

// EQ type symbols, 11 x 9 each, in the frame order the EQ panel selects them by: high-pass,
// low shelf, bell, high shelf, low-pass. Each is the filter's response, low frequencies left.
void AddEqTypeSymbols(ArtworkSet& set)
{
    const char* symbols[] = {
        "....###|...#...|..#....|.#.....",  // high-pass: rises from the bottom, flat above
        "###....|...#...|....###|.......",  // low shelf: high plateau, then low plateau
        "...#...|..#.#..|.#...#.|#.....#",  // bell
        "....###|...#...|###....|.......",  // high shelf
        "###....|...#...|....#..|.....#.",  // low-pass
    };
    Surface s = Opaque(55, 9);
    Cairo cr(s);
    FillRect(cr, 0, 0, 55, 9, DisplayFace());
    for (int f = 0; f < 5; ++f)
        PixelPattern(cr, 11 * f + 2, 2, symbols[f], Palette::Cyan());
    cairo_surface_flush(s.get());
    set.AddStrip("EqTypeSymbols.bmp", s.Clone(), 5, 11, 11, "");
}

// The labels' font: glyph grid and mask.
void AddLabelFont(ArtworkSet& set)
{
    Surface grid, mask;
    PixelFont::BuildGrid(Hex(0xece8dc), &grid, &mask);
    set.Add("font.bmp", std::move(grid), "font").mask = "FontMask.bmp";
    set.Add("FontMask.bmp", std::move(mask), "mask");
}

}  // namespace

void AddControlBitmaps(ArtworkSet& set)
{
    AddKnobBitmaps(set);
    AddFaderBitmaps(set);
    AddMeterBitmaps(set);
    AddLampBitmaps(set);
    AddPushButtonBitmaps(set);
    AddMixButtonBitmaps(set);
    AddEffectBitmaps(set);
    AddEqTypeSymbols(set);
    AddLabelFont(set);
}
