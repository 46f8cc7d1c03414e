#include "resources/artwork/Backdrops.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "PAL/LayoutTables.h"
#include "PAL/WindowRecords.h"
#include "resources/artwork/ArtRandom.h"
#include "resources/artwork/ControlArt.h"
#include "resources/artwork/ControlRecipe.h"
#include "resources/artwork/Draw.h"
#include "resources/artwork/Palette.h"
#include "resources/artwork/PixelFont.h"
#include "resources/artwork/StrokeFont.h"

namespace {

Box BoxOf(const LayoutRecord& r) { return Box{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

enum class Align { Left, Centre, Right };

// One window backdrop under construction.
class Backdrop {
public:
    explicit Backdrop(LayoutWindow window)
        : table_(GetLayoutTable(window)), surface_(table_.width, table_.height)
    {
        BrushedMetal(surface_, 0, 0, table_.width, table_.height, Palette::Panel(), ArtRandom::SeedOf(table_.backdrop),
                     0.018);
        cr_ = cairo_create(surface_.get());
        // Outer edge of the front panel.
        cairo_rectangle(cr_, 0.5, 0.5, table_.width - 1, table_.height - 1);
        cairo_set_line_width(cr_, 1.0);
        SetRgb(cr_, Rgb{1, 1, 1}, 0.10);
        cairo_stroke(cr_);
    }
    ~Backdrop()
    {
        if (cr_)
            cairo_destroy(cr_);
    }
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    cairo_t* cr() const { return cr_; }
    const LayoutTable& table() const { return table_; }
    const LayoutRecord& rec(int i) const { return table_.records[i]; }
    Box box(int i) const { return BoxOf(table_.records[i]); }

    // A darker inset plate grouping controls.
    void Module(double x, double y, double w, double h)
    {
        cairo_save(cr_);
        RoundRect(cr_, x, y, w, h, 3);
        SetRgb(cr_, Rgb{0, 0, 0}, 0.20);
        cairo_fill(cr_);
        RoundRect(cr_, x + 0.5, y + 0.5, w - 1, h - 1, 2.6);
        cairo_set_line_width(cr_, 1.0);
        SetRgb(cr_, Rgb{0, 0, 0}, 0.55);
        cairo_stroke(cr_);
        // Light catches the lower edge.
        cairo_move_to(cr_, x + 3, y + h + 0.5);
        cairo_line_to(cr_, x + w - 3, y + h + 0.5);
        SetRgb(cr_, Rgb{1, 1, 1}, 0.10);
        cairo_stroke(cr_);
        cairo_restore(cr_);
    }

    // Silkscreen text with its capitals' top at y.
    void Caption(double x, int y, const std::string& text, Align align = Align::Left, Rgb c = Palette::Silk())
    {
        const int w = PixelFont::Measure(text) - 1;
        int left = int(std::floor(x + 0.5));
        if (align == Align::Centre)
            left = int(std::floor(x - w / 2.0 + 0.5));
        else if (align == Align::Right)
            left = int(std::floor(x + 0.5)) - w;
        PixelFont::DrawEngraved(cr_, left, y - PixelFont::kTop, text, c);
    }
    void Heading(double x, int y, const std::string& text, Align align = Align::Left)
    {
        const int w = PixelFont::Measure(text, 2) - 2;
        int left = int(std::floor(x + 0.5));
        if (align == Align::Centre)
            left = int(std::floor(x - w / 2.0 + 0.5));
        else if (align == Align::Right)
            left = int(std::floor(x + 0.5)) - w;
        PixelFont::DrawEngraved(cr_, left, y - PixelFont::kTop, text, Palette::Accent(), 2, 4);
    }
    void CaptionBelow(int i, const std::string& text, int gap = 2)
    {
        const Box b = box(i);
        Caption(b.x + b.w / 2.0, b.y + b.h + gap, text, Align::Centre);
    }
    void CaptionLeft(int i, const std::string& text, int gap = 3)
    {
        const Box b = box(i);
        Caption(b.x - gap, b.y + (b.h - 5) / 2, text, Align::Right);
    }
    // Engraved title in stroke lettering.
    void Title(double x, double y, const std::string& text, double size, Align align = Align::Left,
               Rgb c = Palette::Silk())
    {
        const double w = StrokeFont::Measure(text, size);
        if (align == Align::Centre)
            x -= w / 2;
        else if (align == Align::Right)
            x -= w;
        cairo_save(cr_);
        cairo_set_line_width(cr_, std::max(1.0, size / 6.5));
        SetRgb(cr_, Rgb{0, 0, 0}, 0.55);
        StrokeFont::Stroke(cr_, x + 0.6, y + 0.8, text, size);
        SetRgb(cr_, c);
        StrokeFont::Stroke(cr_, x, y, text, size);
        cairo_restore(cr_);
    }
    void VLine(double x, double y0, double y1)
    {
        cairo_save(cr_);
        cairo_set_line_width(cr_, 1.0);
        cairo_move_to(cr_, x + 0.5, y0);
        cairo_line_to(cr_, x + 0.5, y1);
        SetRgb(cr_, Rgb{0, 0, 0}, 0.55);
        cairo_stroke(cr_);
        cairo_move_to(cr_, x + 1.5, y0);
        cairo_line_to(cr_, x + 1.5, y1);
        SetRgb(cr_, Rgb{1, 1, 1}, 0.09);
        cairo_stroke(cr_);
        cairo_restore(cr_);
    }
    // A flat, grain-free display area (lamps drawn whole over it must match it pixel for pixel).
    void FlatPlate(double x, double y, double w, double h)
    {
        cairo_save(cr_);
        Recess(cr_, x, y, w, h, 2, DisplayFace());
        cairo_rectangle(cr_, x + 2, y + 2, w - 4, h - 4);
        SetRgb(cr_, DisplayFace());
        cairo_fill(cr_);
        cairo_restore(cr_);
    }
    void Screws(double inset, double r = 2.6)
    {
        const double w = table_.width, h = table_.height;
        int n = 0;
        for (auto [x, y] : {std::pair{inset, inset}, {w - inset, inset}, {inset, h - inset}, {w - inset, h - inset}})
            Screw(cr_, x, y, r, 0.3 + 0.4 * n++);
    }
    // Meter scale in dB beside a peak meter (square-root display law, as the meters show levels).
    void MeterScale(int i, bool right, bool labels)
    {
        const Box b = box(i);
        const int marks[] = {0, -3, -6, -12, -20, -30};
        for (int db : marks) {
            const double v = (std::pow(10.0, db / 40.0) - 0.1) / 0.9;
            const int y = b.y + int(std::lround(b.h * (1.0 - v)));
            const int x0 = right ? b.x + b.w + 2 : b.x - 4;
            if (!labels) {
                PixelLine(cr_, x0, y, x0 + 1, y, Palette::SilkDim());
                continue;
            }
            // Levels below full scale, in dB, beside the meter.
            const std::string t = std::to_string(-db);
            const int tw = PixelFont::Measure(t) - 1;
            const int tx = right ? x0 + 1 : x0 + 2 - tw;
            PixelFont::Draw(cr_, tx, std::max(b.y, std::min(b.y + b.h - 5, y - 2)) - PixelFont::kTop, t,
                            Palette::SilkDim());
        }
    }

    // The resting look of every control of the table, in table order, as its class's recipe draws it
    // (the generator has checked that every class has a recipe).
    void RestingLooks()
    {
        for (int i = 0; i < table_.count; ++i) {
            const LayoutRecord& r = table_.records[i];
            const ControlRecipe* recipe = FindControlRecipe(r.className);
            if (recipe && recipe->resting)
                recipe->resting(cr_, BoxOf(r), SplitLayoutArguments(r.strings));
        }
    }

    Surface Take()
    {
        cairo_destroy(cr_);
        cr_ = nullptr;
        cairo_surface_flush(surface_.get());
        return std::move(surface_);
    }

private:
    const LayoutTable& table_;
    Surface surface_;
    cairo_t* cr_ = nullptr;
};

const char* kPairs[] = {"1&2", "3&4", "5&6", "7&8", "9&10"};

// ------------------------------------------------------------ main windows

// The effect section and the input meters, shared by the full and the reduced main window.
void InputSection(Backdrop& bd, int analog1Meter, int spdifLeftMeter)
{
    const int meterLeft = bd.box(spdifLeftMeter).x;
    bd.Module(6, 4, 188, 160);
    bd.Heading(100, 8, "INPUT EFFECTS", Align::Centre);
    bd.Caption(55.5, 22, "INPUT 1", Align::Centre);
    bd.Caption(148.5, 22, "INPUT 2", Align::Centre);
    bd.Caption(15.5, 22, "IN", Align::Centre);
    bd.Caption(15.5, 138, "1", Align::Centre);
    bd.Caption(108.5, 138, "2", Align::Centre);
    for (int x : {62, 155}) {
        bd.Caption(x + 7.5, 50, "ON", Align::Centre);
        bd.Caption(x + 7.5, 134, "ON", Align::Centre);
    }
    bd.Caption(82.5, 91, "SWAP", Align::Centre);
    bd.Caption(175.5, 91, "SWAP", Align::Centre);
    bd.Caption(87.5, 158, "LINK", Align::Centre);

    bd.Module(198, 4, 112, 160);
    bd.Heading(254, 8, "INPUTS", Align::Centre);
    bd.Caption(224.5, 22, "ANALOG", Align::Centre);
    bd.Caption(280.0, 22, "SPDIF", Align::Centre);
    bd.Caption(213.5, 138, "1", Align::Centre);
    bd.Caption(235.5, 138, "2", Align::Centre);
    bd.Caption(meterLeft + 1.5, 138, "L", Align::Centre);
    bd.Caption(291.5, 138, "R", Align::Centre);
    bd.Caption(255.5, 158, "SPDIF IN", Align::Centre);
    for (int meter : {analog1Meter, spdifLeftMeter})
        bd.MeterScale(meter, true, true);
}

// One output strip's silkscreen: x0 is the strip's left edge (the mode-0 tray's left).
void StripCaptions(Backdrop& bd, int x0, int pair, bool knob, int yShift)
{
    const int y = yShift;
    bd.Caption(x0 + 4, 364 + y, "OUT", Align::Left, Palette::SilkDim());
    bd.Title(x0 + 4, 373 + y, kPairs[pair], 8, Align::Left, Palette::Silk());
    bd.Caption(x0 + 63, 365 + y, "MUTE", Align::Right);
    bd.Caption(x0 + 19.5, 351 + y, "CUST", Align::Centre);
    bd.Caption(x0 + 96.5, 379 + y, "SOLO", Align::Centre);
    if (knob)
        bd.Caption(x0 + 72, 337 + y, "HW", Align::Right);
    bd.Caption(x0 + 43, 318 + y, "CUE MIX", Align::Left);
}

void MainBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Main);
    InputSection(bd, MainRecords::kAnalog1Meter, MainRecords::kSpdifLeftMeter);
    bd.Module(316, 4, 318, 160);
    bd.Heading(475, 8, "PLAYBACK", Align::Centre);
    for (int k = 0; k < 5; ++k) {
        const Box f = bd.box(MainRecords::kPlaybackFaders[k]);
        bd.Caption(f.x + f.w / 2.0, 156, kPairs[k], Align::Centre);
    }
    // Output strips.
    bd.Module(6, 168, 567, 232);
    for (int k = 0; k < 5; ++k) {
        const int x0 = 16 + 111 * k;
        // Input-mix panel (what the mode-0 tray shows).
        Recess(bd.cr(), x0 + 1, 173, 111, 57, 2, Hex(0x26282c));
        bd.Caption(x0 + 5, 176, "INPUT MIX", Align::Left, Palette::Accent());
        bd.Caption(x0 + 9, 196, "PROC", Align::Left);
        bd.Caption(x0 + 76.5, 221, "EDIT", Align::Centre);
        bd.Caption(x0 + 96.5, 208, "CUST", Align::Centre);
        // Reverb send.
        const int rx = bd.box(MainRecords::kReverbSendTrays[k]).x;
        bd.Caption(rx + 10.5, 252, "REV", Align::Centre);
        bd.Caption(x0 + 4, 240, "REVERB", Align::Left, Palette::SilkDim());
        bd.Caption(x0 + 4, 248, "SEND", Align::Left, Palette::SilkDim());
        // Input / playback cross-fade.
        bd.Caption(x0 + 5, 274, "INPUT", Align::Left);
        bd.Caption(x0 + 108, 274, "PLAYBACK", Align::Right);
        StripCaptions(bd, x0, k, k < 4, 0);
        if (k < 4) {
            bd.VLine(129 + 111 * k, 234, 279);
            bd.VLine(129 + 111 * k, 300, 398);
        }
    }
    bd.Caption(85.5, 391, "DIM", Align::Centre);
    // Right column: the maker's badge, the reverb panel, files, modes and views.
    bd.Module(577, 168, 57, 232);
    bd.Caption(602.5, 265, "REVERB", Align::Centre);
    const struct {
        int rec;
        const char* text;
    } side[] = {{MainRecords::kLoad, "LOAD"},   {MainRecords::kSave, "SAVE"},     {MainRecords::kCard, "CARD"},
                {MainRecords::kTrack, "TRACK"}, {MainRecords::kShrink, "SHRINK"}, {MainRecords::kFloat, "FLOAT"},
                {MainRecords::kRate, "RATE"}};
    for (const auto& s : side)
        bd.CaptionLeft(s.rec, s.text, 3);
    bd.RestingLooks();
    set.Add("Background.bmp", bd.Take(), "backdrop");
}

void ShrinkBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Shrink);
    InputSection(bd, ShrinkRecords::kAnalog1Meter, ShrinkRecords::kSpdifLeftMeter);
    bd.Module(314, 4, 43, 160);
    bd.Caption(338.5, 97, "REVERB", Align::Centre);
    bd.CaptionLeft(ShrinkRecords::kBig, "BIG", 3);
    bd.CaptionLeft(ShrinkRecords::kSmall, "SMALL", 3);
    bd.CaptionLeft(ShrinkRecords::kFloat, "FLOAT", 3);
    bd.Module(6, 168, 351, 144);
    const int pairs[] = {0, 2, 3};
    for (int s = 0; s < 3; ++s) {
        const int x0 = 16 + 111 * s;
        bd.Caption(x0 + 5, 186, "INPUT", Align::Left);
        bd.Caption(x0 + 108, 186, "PLAYBACK", Align::Right);
        StripCaptions(bd, x0, pairs[s], true, -88);
        if (s < 2)
            bd.VLine(129 + 111 * s, 212, 310);
    }
    bd.Caption(85.5, 303, "DIM", Align::Centre);
    bd.RestingLooks();
    set.Add("BackgroundShrink.bmp", bd.Take(), "backdrop");
}

void TinyBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Tiny);
    const int pairs[] = {0, 2, 3};
    for (int s = 0; s < 3; ++s) {
        const Box m = bd.box(TinyRecords::kMutes[s]);
        bd.Title(m.x - 56, 33, kPairs[pairs[s]], 8);
        bd.Caption(m.x - 56, 46, "OUT", Align::Left, Palette::SilkDim());
        bd.CaptionLeft(TinyRecords::kMutes[s], "MUTE", 3);
        if (s < 2)
            bd.VLine(bd.box(TinyRecords::kCrossFaders[s + 1]).x - 1, 28, 64);
    }
    // Captions over the cross-faders: ink on rows 3..7 (two rows clear of the window's edge), its
    // shadow on row 8, the faders from row 9; the column rules run through the caption row so that
    // one column's "PLAYBACK" and the next one's "INPUT" stay apart.
    for (int fader : TinyRecords::kCrossFaders) {
        const Box f = bd.box(fader);
        bd.Caption(f.x + 4, 3, "INPUT", Align::Left, Palette::SilkDim());
        bd.Caption(f.x + f.w - 4, 3, "PLAYBACK", Align::Right, Palette::SilkDim());
        if (fader != TinyRecords::kCrossFaders[0])
            bd.VLine(f.x - 1, 2, 9);
    }
    bd.CaptionLeft(TinyRecords::kBig, "BIG", 3);
    bd.CaptionLeft(TinyRecords::kFloat, "FLOAT", 3);
    bd.RestingLooks();
    set.Add("BackgroundTiny.bmp", bd.Take(), "backdrop");
}

void HighRateBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::HighRate);
    bd.Caption(22, 48, "HIGH", Align::Centre, Palette::Accent());
    bd.Caption(22, 56, "RATE", Align::Centre, Palette::Accent());
    bd.Caption(22, 66, "176.4", Align::Centre, Palette::SilkDim());
    bd.Caption(22, 74, "192K", Align::Centre, Palette::SilkDim());
    const auto& mutes = HighRateRecords::kMutes;
    const auto& solos = HighRateRecords::kSolos;
    for (int k = 0; k < 5; ++k) {
        const Box m = bd.box(mutes[k]);
        const double cx = m.x + 27.5;
        bd.Module(m.x - 10, 4, 78, 86);
        bd.Caption(cx, 9, std::string("OUT ") + kPairs[k], Align::Centre, Palette::Accent());
        bd.CaptionBelow(mutes[k], "MUTE", 8);
        bd.CaptionBelow(solos[k], "SOLO", 3);
    }
    for (int h : HighRateRecords::kHardwareLevels)
        bd.CaptionLeft(h, "HW", 2);
    bd.CaptionLeft(HighRateRecords::kDim, "DIM", 3);
    bd.Module(574, 4, 62, 88);
    bd.CaptionLeft(HighRateRecords::kLoad, "LOAD", 3);
    bd.CaptionLeft(HighRateRecords::kSave, "SAVE", 3);
    bd.CaptionLeft(HighRateRecords::kFloat, "FLOAT", 3);
    bd.CaptionLeft(HighRateRecords::kRate, "RATE", 3);
    bd.RestingLooks();
    set.Add("Background192k.bmp", bd.Take(), "backdrop");
}

void ConnectionLostBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::ConnectionLost);
    cairo_t* cr = bd.cr();
    // Warning sign: an amber triangle with an exclamation mark.
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, 30, 11);
    cairo_line_to(cr, 49, 44);
    cairo_line_to(cr, 11, 44);
    cairo_close_path(cr);
    SetRgb(cr, Rgb{0, 0, 0}, 0.4);
    cairo_set_line_width(cr, 4.0);
    cairo_stroke_preserve(cr);
    SetRgb(cr, Palette::Accent());
    cairo_set_line_width(cr, 2.6);
    cairo_stroke_preserve(cr);
    SetRgb(cr, Hex(0x17181b));
    cairo_fill(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 2.6);
    cairo_move_to(cr, 30, 22);
    cairo_line_to(cr, 30, 33);
    cairo_move_to(cr, 30, 39);
    cairo_line_to(cr, 30, 39);
    SetRgb(cr, Palette::Accent());
    cairo_stroke(cr);
    cairo_restore(cr);
    bd.FlatPlate(55, 15, 190, 31);
    DrawLogo(cr, Box{252, 5, 42, 46});
    bd.RestingLooks();
    set.Add("ConnectionLost.bmp", bd.Take(), "backdrop");
}

// ------------------------------------------------------------ panel windows

void CopyPasteCaptions(Backdrop& bd, int copy, int paste)
{
    bd.CaptionLeft(copy, "COPY", 3);
    bd.CaptionLeft(paste, "PASTE", 3);
}

void CustomInputBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::CustomInputMix);
    bd.Module(5, 3, 223, 151);
    bd.Heading(116.5, 7, "INPUT LEVELS", Align::Centre);
    for (int i = 0; i < 4; ++i) {
        const Box f = bd.box(CustomInputMixRecords::kInputFaders[i]);
        bd.Caption(f.x + f.w / 2.0, 17, "IN " + std::to_string(i + 1), Align::Centre);
    }
    bd.Module(5, 157, 110, 45);
    bd.Caption(40.5, 189, "REV 1", Align::Centre);
    bd.Caption(95.5, 189, "REV 2", Align::Centre);
    bd.Caption(20.5, 175, "ON", Align::Centre);
    bd.Caption(75.5, 175, "ON", Align::Centre);
    bd.Title(120, 160, "CUSTOM", 6, Align::Left, Palette::Silk());
    bd.Title(120, 170, "INPUT MIX", 6, Align::Left, Palette::Silk());
    CopyPasteCaptions(bd, CustomInputMixRecords::kCopy, CustomInputMixRecords::kPaste);
    bd.RestingLooks();
    set.Add("CustomInputBackground.bmp", bd.Take(), "backdrop");
}

void CustomCueBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::CustomCueMix);
    bd.Module(5, 3, 309, 152);
    bd.Heading(159.5, 7, "PLAYBACK LEVELS", Align::Centre);
    for (int i = 0; i < 5; ++i) {
        const Box f = bd.box(CustomCueMixRecords::kPlaybackFaders[i]);
        bd.Caption(f.x + f.w / 2.0, 17, kPairs[i], Align::Centre);
    }
    bd.Title(14, 170, "CUSTOM PLAYBACK MIX", 9, Align::Left, Palette::Silk());
    DrawLogo(bd.cr(), Box{14, 184, 14, 16});
    bd.Caption(32, 190, "VELBRIN", Align::Left, Palette::SilkDim());
    CopyPasteCaptions(bd, CustomCueMixRecords::kCopy, CustomCueMixRecords::kPaste);
    bd.RestingLooks();
    set.Add("CustomCuemixBackground.bmp", bd.Take(), "backdrop");
}

void SampleRateBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::SampleRate);
    bd.FlatPlate(8, 11, 51, 71);
    bd.Caption(14, 4, "KHZ", Align::Left, Palette::Accent());
    const struct {
        int rec;
        const char* text;
    } rates[] = {{SampleRateRecords::k44kLamp, "44.1"},
                 {SampleRateRecords::k48kLamp, "48"},
                 {SampleRateRecords::k88kLamp, "88.2"},
                 {SampleRateRecords::k96kLamp, "96"},
                 {SampleRateRecords::k192kLamp, "192"}};
    for (const auto& r : rates) {
        const Box b = bd.box(r.rec);
        PixelFont::Draw(bd.cr(), 31, b.y + 2 - PixelFont::kTop, r.text, Palette::Silk());
    }
    PixelLine(bd.cr(), 12, 62, 54, 62, Hex(0x2a2e30));
    // The normal look of the "EXT" label (its greyed look is a bitmap of its own).
    const Box ext = bd.box(SampleRateRecords::kExtText);
    PixelFont::DrawCentred(bd.cr(), ext.x + ext.w / 2.0, ext.y - PixelFont::kTop, "EXT", Palette::Silk());
    bd.Caption(71, 16, "CARD", Align::Centre);
    bd.Caption(71, 59, "SPDIF", Align::Centre);
    bd.RestingLooks();
    Surface backdrop = bd.Take();

    // Lamps lit over the flat plate, cut from the backdrop so that their surroundings match.
    auto lit = [&](int rec, const char* name, Rgb colour) {
        const Box b = BoxOf(GetLayoutTable(LayoutWindow::SampleRate).records[rec]);
        Surface img = backdrop.Crop(b.x, b.y, b.w, b.h);
        {
            // The glow stays within rows 1..7: the lamps lie at a pitch of 8 and are 9 high, so
            // rows 0 and 8 are shared with the neighbours and must show the backdrop.
            Cairo cr(img);
            cairo_arc(cr, 6.5, 4.5, 3.5, 0, 2 * kPi);
            cairo_pattern_t* glow = cairo_pattern_create_radial(6.5, 4.5, 2.0, 6.5, 4.5, 3.5);
            cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, 0.55);
            cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0.12);
            cairo_set_source(cr, glow);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
            cairo_arc(cr, 6.5, 4.5, 2.6, 0, 2 * kPi);
            cairo_pattern_t* p = cairo_pattern_create_radial(6.0, 3.8, 0, 6.5, 4.5, 2.6);
            const Rgb hot = Mix(colour, Rgb{1, 1, 1}, 0.7);
            cairo_pattern_add_color_stop_rgb(p, 0, hot.r, hot.g, hot.b);
            cairo_pattern_add_color_stop_rgb(p, 1, colour.r, colour.g, colour.b);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
        set.Add(name, std::move(img));
    };
    lit(SampleRateRecords::k44kLamp, "SampleRateLed1.bmp", Palette::Green());
    lit(SampleRateRecords::k88kLamp, "SampleRateLed2.bmp", Palette::Green());
    lit(SampleRateRecords::k192kLamp, "SampleRateLed3.bmp", Palette::Amber());
    lit(SampleRateRecords::kExtLed, "SampleRateLedExt.bmp", Palette::Blue());
    {
        // The greyed lamp, copied at (4, 2) of the lamp's place.
        const Box b = BoxOf(GetLayoutTable(LayoutWindow::SampleRate).records[SampleRateRecords::kExtLed]);
        Surface img = backdrop.Crop(b.x + 4, b.y + 2, 5, 5);
        {
            Cairo cr(img);
            cairo_arc(cr, 2.5, 2.5, 2.4, 0, 2 * kPi);
            SetVertical(cr, 0, 5, Hex(0x6a6d70), Hex(0x3c3f42));
            cairo_fill(cr);
        }
        set.Add("GrayLed.bmp", std::move(img));
    }
    {
        const Box b = BoxOf(GetLayoutTable(LayoutWindow::SampleRate).records[SampleRateRecords::kExtText]);
        Surface img(b.w, b.h);
        {
            Cairo cr(img);
            FillRect(cr, 0, 0, b.w, b.h, DisplayFace());
            PixelFont::DrawCentred(cr, b.w / 2.0, -PixelFont::kTop, "EXT", Hex(0x4a4c4e));
        }
        set.Add("SampleRateGreyExt.bmp", std::move(img));
    }
    set.Add("SampleRate.bmp", std::move(backdrop), "backdrop");
}

void ReverbBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Reverb);
    bd.Module(30, 4, 182, 58);
    bd.Caption(14.5, 44, "ON", Align::Centre);
    // Whether the inputs are linked is the window title's to say: the backdrop shows it in neither case.
    bd.Title(217, 16, "REVERB", 8, Align::Left, Palette::Silk());
    CopyPasteCaptions(bd, ReverbRecords::kCopy, ReverbRecords::kPaste);
    bd.Screws(5.5, 2.2);
    bd.RestingLooks();
    set.Add("ReverbStereoBackground.bmp", bd.Take(), "backdrop");
}

// Input and output sections of the effect windows: a meter beside a fader.
void LevelSection(Backdrop& bd, int fader, int meter, bool scaleRight)
{
    const Box f = bd.box(fader), m = bd.box(meter);
    const int x0 = std::min(f.x, m.x) - 5, x1 = std::max(f.x + f.w, m.x + m.w) + 5;
    bd.Module(x0, 2, x1 - x0, 131);
    bd.MeterScale(meter, scaleRight, false);
}

void EqBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Eq);
    LevelSection(bd, EqRecords::kInputFader, EqRecords::kInputMeter, true);
    LevelSection(bd, EqRecords::kOutputFader, EqRecords::kOutputMeter, false);
    bd.Caption(62.5, 52, "ON", Align::Centre);
    bd.Caption(521.5, 78, "MODE", Align::Centre);
    // Simple half: model selector and four macro knobs.
    bd.Module(69, 10, 450, 54);
    bd.Caption(73, 3, "SIMPLE", Align::Left, Palette::Accent());
    // Advanced half: four bands.
    bd.Module(67, 71, 447, 58);
    bd.Caption(73, 66, "ADVANCED", Align::Left, Palette::Accent());
    const struct {
        int x;
        const char* name;
    } bands[] = {{93, "LOW"}, {196, "LOW MID"}, {299, "HIGH MID"}, {402, "HIGH"}};
    for (const auto& b : bands)
        bd.Caption(b.x, 75, b.name, Align::Left, Palette::Silk());
    for (int x : {191, 294, 397})
        bd.VLine(x, 74, 127);
    // Maker and window name.
    bd.Title(590, 9, "EQ", 12, Align::Left, Palette::Silk());
    bd.Caption(590, 27, "4 BAND", Align::Left, Palette::Accent());
    DrawLogo(bd.cr(), Box{594, 40, 30, 30});
    CopyPasteCaptions(bd, EqRecords::kCopy, EqRecords::kPaste);
    bd.RestingLooks();
    set.Add("EqBackground.bmp", bd.Take(), "backdrop");
}

void CompBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::Compressor);
    LevelSection(bd, CompressorRecords::kInputFader, CompressorRecords::kInputMeter, true);
    LevelSection(bd, CompressorRecords::kOutputFader, CompressorRecords::kOutputMeter, false);
    bd.Caption(62.5, 52, "ON", Align::Centre);
    bd.Caption(362.5, 78, "MODE", Align::Centre);
    bd.Module(73, 14, 285, 49);
    bd.Caption(76, 7, "SIMPLE", Align::Left, Palette::Accent());
    bd.Module(73, 74, 282, 49);
    bd.Caption(76, 67, "ADVANCED", Align::Left, Palette::Accent());
    // Gain-reduction meter, hanging from the top.
    const Box gr = bd.box(CompressorRecords::kReductionMeter);
    bd.Module(gr.x - 9, 2, 27, 131);
    bd.Title(466, 9, "COMP", 10, Align::Left, Palette::Silk());
    bd.Caption(466, 24, "DYNAMICS", Align::Left, Palette::Accent());
    DrawLogo(bd.cr(), Box{469, 40, 30, 30});
    CopyPasteCaptions(bd, CompressorRecords::kCopy, CompressorRecords::kPaste);
    bd.RestingLooks();
    set.Add("CompBackground.bmp", bd.Take(), "backdrop");
}

void AmpBackdrop(ArtworkSet& set)
{
    Backdrop bd(LayoutWindow::AmpSim);
    bd.Caption(14.5, 78, "ON", Align::Centre);
    // "MODEL" above its box: ink on rows 3..7 (two rows clear of the window's edge), its shadow on
    // row 8, one clear row, the box from row 10.
    bd.Module(28, 10, 126, 54);
    bd.Caption(31, 3, "MODEL", Align::Left, Palette::Accent());
    bd.Module(28, 69, 165, 62);
    bd.Caption(31, 71, "TONE", Align::Left, Palette::Accent());
    LevelSection(bd, AmpSimRecords::kOutputFader, AmpSimRecords::kMeter, false);
    bd.Title(283, 9, "AMP", 10, Align::Left, Palette::Silk());
    bd.Caption(283, 24, "SIMULATOR", Align::Left, Palette::Accent());
    DrawLogo(bd.cr(), Box{286, 40, 30, 30});
    CopyPasteCaptions(bd, AmpSimRecords::kCopy, AmpSimRecords::kPaste);
    bd.RestingLooks();
    set.Add("AmpBackground.bmp", bd.Take(), "backdrop");
}

// ------------------------------------------------------------ covers

// A smoked-glass cover: colour and opacity drawn together, then split into image and mask.
struct Cover {
    Surface drawing;
    cairo_t* cr;
    int w, h;
    Cover(int width, int height) : drawing(width, height, CAIRO_FORMAT_ARGB32), w(width), h(height)
    {
        cr = cairo_create(drawing.get());
    }
    ~Cover() { cairo_destroy(cr); }
    Cover(const Cover&) = delete;
    Cover& operator=(const Cover&) = delete;

    void Glass(double opacity)
    {
        RoundRect(cr, 0, 0, w, h, 3);
        SetRgb(cr, Hex(0x0c0d10), opacity);
        cairo_fill(cr);
        // Fine diagonal hatch.
        cairo_save(cr);
        RoundRect(cr, 0, 0, w, h, 3);
        cairo_clip(cr);
        cairo_set_line_width(cr, 1.0);
        for (int d = -h; d < w; d += 4) {
            cairo_move_to(cr, d, h);
            cairo_line_to(cr, d + h, 0);
        }
        SetRgb(cr, Hex(0x24262b), 0.35);
        cairo_stroke(cr);
        cairo_restore(cr);
        RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 2.5);
        cairo_set_line_width(cr, 1.0);
        SetRgb(cr, Hex(0x6a6e76), 0.9);
        cairo_stroke(cr);
    }
    // A badge 11 pixels high around text centred on (cx, cy). It is opaque: whatever it lies over
    // is hidden whole, so it must hide a caption completely or keep two pixels clear of it.
    void Label(double cx, double cy, const std::string& text, Rgb colour)
    {
        const int tw = PixelFont::Measure(text) - 1;
        const double x = std::floor(cx - tw / 2.0) - 4, y = std::floor(cy) - 5;
        RoundRect(cr, x, y, tw + 8, 11, 2);
        SetRgb(cr, Hex(0x0c0d10));
        cairo_fill(cr);
        RoundRect(cr, x + 0.5, y + 0.5, tw + 7, 10, 2);
        SetRgb(cr, colour, 0.7);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        PixelFont::Draw(cr, int(x) + 4, int(y) + 3 - PixelFont::kTop, text, colour);
    }
    void Add(ArtworkSet& set, const std::string& name, const std::string& maskName)
    {
        cairo_surface_flush(drawing.get());
        Surface colour, mask;
        SplitAlpha(drawing, &colour, &mask);
        set.Add(name, std::move(colour)).mask = maskName;
        set.Add(maskName, std::move(mask), "mask");
    }
};

}  // namespace

void AddBackdrops(ArtworkSet& set)
{
    MainBackdrop(set);
    ShrinkBackdrop(set);
    TinyBackdrop(set);
    HighRateBackdrop(set);
    ConnectionLostBackdrop(set);
    CustomInputBackdrop(set);
    CustomCueBackdrop(set);
    SampleRateBackdrop(set);
    ReverbBackdrop(set);
    EqBackdrop(set);
    CompBackdrop(set);
    AmpBackdrop(set);
}

void AddCovers(ArtworkSet& set)
{
    {
        // Below the "PROC" caption (rows 8..13 of the cover), over the switch and the knob.
        Cover c(47, 33);
        c.Glass(0.72);
        c.Label(23.5, 21.5, "CUSTOM", Palette::Cyan());
        c.Add(set, "InputGreyOut.bmp", "InputGreyOutMask.bmp");
    }
    {
        // Over the "REV" caption (columns 5..16, rows 20..25 of the cover), which it hides whole.
        Cover c(48, 36);
        c.Glass(0.72);
        c.Label(19.5, 22.5, "CUSTOM", Palette::Cyan());
        c.Add(set, "ReverbGreyOut.bmp", "ReverbGreyOutMask.bmp");
    }
    {
        // Over the second input's effect column while the inputs are linked: it shows the first
        // input's column through tinted glass.
        Cover c(59, 125);
        RoundRect(c.cr, 0, 0, 59, 125, 3);
        SetRgb(c.cr, Hex(0x14202c), 0.55);
        cairo_fill(c.cr);
        RoundRect(c.cr, 0.5, 0.5, 58, 124, 2.5);
        cairo_set_line_width(c.cr, 1.0);
        SetRgb(c.cr, Hex(0x7fa8d0), 0.9);
        cairo_stroke(c.cr);
        // Between the "SWAP" caption (rows 60..65) and the lower switch (row 86 on).
        c.Label(29.5, 74.5, "LINKED", Palette::Ice());
        c.Add(set, "InputStereoCover.bmp", "InputStereoCoverMask.bmp");
    }
    // The badge's centre row lies between the captions under each half: the EQ's band names end
    // on cover row 9 and its GAIN labels begin on row 36; the compressor's top half has preset
    // names on rows 1..5 and 31..35.
    const struct {
        const char* name;
        const char* mask;
        int w, h;
        double badgeRow;
        const char* text;
    } halves[] = {
        {"EqBottomCover.bmp", "EqBottomCoverMask.bmp", 447, 58, 18.5, "ADVANCED CONTROLS  -  PRESS MODE"},
        {"EqTopCover.bmp", "EqTopCoverMask.bmp", 450, 54, 27, "SIMPLE CONTROLS  -  PRESS MODE"},
        {"CompBottomCover.bmp", "CompBottomCoverMask.bmp", 282, 49, 24.5, "ADVANCED  -  PRESS MODE"},
        {"CompTopCover.bmp", "CompTopCoverMask.bmp", 285, 49, 18.5, "SIMPLE  -  PRESS MODE"},
    };
    for (const auto& hv : halves) {
        Cover c(hv.w, hv.h);
        c.Glass(0.74);
        c.Label(hv.w / 2.0, hv.badgeRow, hv.text, Palette::Accent());
        c.Add(set, hv.name, hv.mask);
    }
    {
        // The stereo variant of an input-mix strip, drawn whole in place of the strip: one knob
        // (its well here) between processed and unprocessed signal.
        Surface s(110, 59);
        BrushedMetal(s, 0, 0, 110, 59, Palette::Panel(), ArtRandom::SeedOf("OutputStereoCover.bmp"), 0.018);
        {
            Cairo cr(s);
            Recess(cr, 1, 1, 108, 57, 2, Hex(0x22262c));
            PixelFont::DrawEngraved(cr, 5, 4 - PixelFont::kTop, "STEREO INPUT MIX", Palette::Accent());
            DrawKnobWell(cr, Box{41, 19, 27, 25});
            PixelFont::DrawEngraved(cr, 38 - PixelFont::Measure("DRY") + 1, 40 - PixelFont::kTop, "DRY", Palette::Silk());
            PixelFont::DrawEngraved(cr, 71, 40 - PixelFont::kTop, "FX", Palette::Silk());
            PixelFont::DrawEngraved(cr, 55 - (PixelFont::Measure("PROCESSED") - 1) / 2, 50 - PixelFont::kTop,
                                    "PROCESSED", Palette::SilkDim());
        }
        cairo_surface_flush(s.get());
        set.Add("OutputStereoCover.bmp", std::move(s), "cover");
    }
}
