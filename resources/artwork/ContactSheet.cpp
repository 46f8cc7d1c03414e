#include "resources/artwork/ContactSheet.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "PAL/LayoutTables.h"
#include "resources/artwork/ControlArt.h"
#include "resources/artwork/ControlRecipe.h"
#include "resources/artwork/Draw.h"
#include "resources/artwork/PixelFont.h"

namespace {

// ------------------------------------------------------------ a small model of the controls' drawing

// A 0x00RRGGBB pixel buffer, as the program's bitmaps hold them.
struct Px {
    int w = 0, h = 0;
    std::vector<uint32_t> p;
    Px() = default;
    Px(int width, int height) : w(width), h(height), p(size_t(width) * size_t(height), 0) {}
    uint32_t& at(int x, int y) { return p[size_t(y) * size_t(w) + size_t(x)]; }
    uint32_t at(int x, int y) const { return p[size_t(y) * size_t(w) + size_t(x)]; }
    bool valid() const { return w > 0 && h > 0; }
};

struct R {
    int l, r, t, b;
};

Px FromSurface(const Surface& s)
{
    Px px(s.Width(), s.Height());
    for (int y = 0; y < px.h; ++y)
        for (int x = 0; x < px.w; ++x)
            px.at(x, y) = s.Get(x, y) & 0xFFFFFF;
    return px;
}

Surface ToSurface(const Px& px)
{
    Surface s(px.w, px.h);
    s.Flush();
    unsigned char* d = cairo_image_surface_get_data(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    for (int y = 0; y < px.h; ++y)
        memcpy(d + y * stride, &px.p[size_t(y) * size_t(px.w)], size_t(px.w) * 4);
    s.MarkDirty();
    return s;
}

// Clipping as the program's copies do it; returns false when nothing is left.
bool Clip(const Px& src, const Px& dst, int& x, int& y, R& r)
{
    if (r.t < 0) {
        y -= r.t;
        r.t = 0;
    }
    if (r.l < 0) {
        x -= r.l;
        r.l = 0;
    }
    r.r = std::min(r.r, src.w);
    r.b = std::min(r.b, src.h);
    if (x < 0) {
        r.l -= x;
        x = 0;
    }
    if (y < 0) {
        r.t -= y;
        y = 0;
    }
    if (r.l >= r.r || r.t >= r.b)
        return false;
    if (dst.w < r.r - r.l + x)
        r.r = dst.w - x + r.l;
    if (dst.h < r.b - r.t + y)
        r.b = dst.h - y + r.t;
    return r.l < r.r && r.t < r.b;
}

void CopyTo(const Px& src, Px& dst, int x, int y, const R* rect = nullptr)
{
    if (!src.valid() || !dst.valid())
        return;
    R r = rect ? *rect : R{0, src.w, 0, src.h};
    if (!Clip(src, dst, x, y, r))
        return;
    for (int j = r.t; j < r.b; ++j)
        for (int i = r.l; i < r.r; ++i)
            dst.at(x + i - r.l, y + j - r.t) = src.at(i, j);
}

void CopyMasked(const Px& src, const Px& mask, Px& dst, int x, int y, const R* rect = nullptr)
{
    if (!src.valid() || !dst.valid() || mask.w != src.w || mask.h != src.h)
        return;
    R r = rect ? *rect : R{0, src.w, 0, src.h};
    if (!Clip(src, dst, x, y, r))
        return;
    for (int j = r.t; j < r.b; ++j)
        for (int i = r.l; i < r.r; ++i) {
            const uint32_t s = src.at(i, j), m = mask.at(i, j);
            uint32_t& d = dst.at(x + i - r.l, y + j - r.t);
            uint32_t out = 0;
            for (int sh : {16, 8, 0}) {
                const uint32_t S = (s >> sh) & 0xFF, M = (m >> sh) & 0xFF, D = (d >> sh) & 0xFF;
                const uint32_t v = std::min(255u, (S * M + (255 - M) * D) / 256);
                out |= v << sh;
            }
            d = out;
        }
}

class Composer {
public:
    Composer(const ArtworkSet& set, const LayoutTable& table) : set_(set), table_(table) {}

    // alt: the other state of everything that has one (inputs linked, covers active, second
    // effect order, lamps inverted, one knob locked), to show the covers and alternate images.
    Px Compose(bool alt)
    {
        alt_ = alt;
        Px window(table_.width, table_.height);
        Paint(0, window);
        return window;
    }

private:
    const Px* Get(const std::string& name)
    {
        auto found = cache_.find(name);
        if (found != cache_.end())
            return &found->second;
        const ArtBitmap* b = set_.Find(name);
        if (!b)
            return nullptr;
        return &cache_.emplace(name, FromSurface(b->image)).first->second;
    }

    bool Hidden(const LayoutRecord& r, const ControlRecipe* recipe) const
    {
        if (!recipe || recipe->hiddenBy < 0)
            return false;
        const auto items = SplitLayoutArguments(r.strings);
        if (items.size() > size_t(recipe->hiddenBy))
            return (items[size_t(recipe->hiddenBy)] != "0") != alt_;
        return false;
    }

    // Paints a view, then its children in table order, as the page does. A class without a recipe
    // (which the generator refuses before drawing) shows nothing of its own.
    void Paint(int i, Px& window)
    {
        const LayoutRecord& rec = table_.records[i];
        const ControlRecipe* recipe = FindControlRecipe(rec.className);
        if (Hidden(rec, recipe))
            return;
        const SheetLook look = recipe ? recipe->sheet : SheetLook::None;
        Draw(rec, look, i, window);
        for (int k = i + 1; k < table_.count; ++k)
            if (table_.records[k].parent == i)
                Paint(k, window);
        const auto it = SplitLayoutArguments(rec.strings);
        if (it.size() < 3)
            return;
        const Px *cover = Get(it[0]), *mask = Get(it[1]);
        if (!cover || !mask)
            return;
        if (look == SheetLook::ColumnCoverTray && alt_) {
            Px work(rec.right - rec.left, rec.bottom - rec.top);
            R whole{rec.left, rec.right, rec.top, rec.bottom};
            CopyTo(window, work, 0, 0, &whole);
            Px column = work;
            R r{0, 45, 4, 121};
            CopyTo(column, work, 93, 4, &r);
            CopyMasked(*cover, *mask, work, 93, 0);
            Put(work, window, rec);
        } else if (look == SheetLook::CoverTray) {
            // An inverted cover is active in the plain state, so that exactly one half of a
            // panel with two is covered in either state, as in the program.
            const bool invert = it.size() >= 4 && it[3] == "INVERT";
            if (alt_ != invert)
                CopyMasked(*cover, *mask, window, rec.left, rec.top);
        }
    }

    Px Background(const LayoutRecord& rec, const std::string& name)
    {
        Px bg(rec.right - rec.left, rec.bottom - rec.top);
        if (const Px* b = Get(name)) {
            R r{rec.left, rec.right, rec.top, rec.bottom};
            CopyTo(*b, bg, 0, 0, &r);
        }
        return bg;
    }

    void Put(const Px& img, Px& window, const LayoutRecord& rec)
    {
        R r{0, rec.right - rec.left, 0, rec.bottom - rec.top};
        CopyTo(img, window, rec.left, rec.top, &r);
    }

    double Demo(int i, double base = 0.0) const
    {
        return std::fmod(base + 0.37 * i + 0.11 + (alt_ ? 0.5 : 0.0), 1.0);
    }

    void DrawText(Px& img, int x, const std::string& text)
    {
        const Px* grid = Get("font.bmp");
        const Px* mask = Get("FontMask.bmp");
        if (!grid || !mask)
            return;
        for (unsigned char c : text) {
            if (c < 32 || c >= 132)
                continue;
            const int g = c - 32;
            int w = PixelFont::InkWidth(c);
            if (c == ' ')
                w = PixelFont::kCell - 2;
            R r{(g % 20) * 7, (g % 20) * 7 + w, (g / 20) * 7, (g / 20) * 7 + 7};
            CopyMasked(*grid, *mask, img, x, 0, &r);
            x += w + 1;
        }
    }

    static int Measure(const std::string& text)
    {
        int w = 0;
        for (unsigned char c : text)
            w += (c == ' ' ? PixelFont::kCell - 2 : PixelFont::InkWidth(c)) + 1;
        return w;
    }

    void Label(const LayoutRecord& rec, const std::vector<std::string>& it, Px& window, const std::string& override = "")
    {
        if (it.size() != 5)
            return;
        Px img = Background(rec, it[2]);
        const std::string text = override.empty() ? it[4] : override;
        const int W = rec.right - rec.left, w = Measure(text);
        int x = 0;
        if (it[3].rfind("JUSTIFY_CENTRE", 0) == 0)
            x = (W - w) / 2;
        else if (it[3].rfind("JUSTIFY_RIGHT", 0) == 0)
            x = W - w;
        DrawText(img, x, text);
        Put(img, window, rec);
    }

    static int KnobFrame(double v)
    {
        const double a = 270.0 * v - 135.0;
        int t;
        if (std::fabs(a) < 2.5)
            t = 14;
        else if (std::fabs(a) < 10)
            t = a >= 0 ? 15 : 13;
        else if (a > 0)
            t = 16 + int((a - 10) * 12 / 120);
        else
            t = 12 - int((-a - 10) * 12 / 120);
        return std::clamp(t, 0, kKnobFrames - 1);
    }

    void Knob(const LayoutRecord& rec, const std::vector<std::string>& it, Px& window, double v, bool locked,
              const Px* bgOverride = nullptr)
    {
        const Px *cap = Get(it[0]), *capMask = Get(it[1]), *track = Get(it[2]), *trackMask = Get(it[3]);
        if (locked && it.size() > 5)
            cap = Get(it[5]);
        if (!cap || !capMask || !track || !trackMask)
            return;
        Px work = bgOverride ? *bgOverride : Background(rec, it[4]);
        const int t = KnobFrame(v);
        Px capFrame(capMask->w, capMask->h);
        R cr{kCapPitch * t, kCapPitch * t + kCapSize, 0, cap->h};
        CopyTo(*cap, capFrame, 0, 0, &cr);
        R tr{kTrackPitch * t, kTrackPitch * t + kTrackSize, 0, track->h};
        CopyMasked(*track, *trackMask, work, 0, 0, &tr);
        CopyMasked(capFrame, *capMask, work, kCapOffset, kCapOffset);
        Put(work, window, rec);
    }

    void Draw(const LayoutRecord& rec, SheetLook look, int i, Px& window)
    {
        const auto it = SplitLayoutArguments(rec.strings);
        const int W = rec.right - rec.left, H = rec.bottom - rec.top;
        switch (look) {
        case SheetLook::None:
        case SheetLook::ColumnCoverTray:
        case SheetLook::CoverTray:
            break;
        case SheetLook::Picture:
            if (!it.empty())
                if (const Px* b = Get(it[0]))
                    CopyTo(*b, window, rec.left, rec.top);
            break;
        case SheetLook::Knob:
        case SheetLook::LockableKnob:
            if (it.size() >= 5)
                Knob(rec, it, window, Demo(i), look == SheetLook::LockableKnob && (i % 3 == 0) != alt_);
            break;
        case SheetLook::TrayKnob: {
            const LayoutRecord& parent = table_.records[rec.parent];
            const auto pit = SplitLayoutArguments(parent.strings);
            const Px* image = pit.empty() ? nullptr : Get(pit[0]);
            if (it.size() == 4 && image) {
                Px bg(W, H);
                R r{rec.left - parent.left, rec.right - parent.left, rec.top - parent.top, rec.bottom - parent.top};
                CopyTo(*image, bg, 0, 0, &r);
                std::vector<std::string> five = it;
                five.push_back("");
                Knob(rec, five, window, Demo(i), false, &bg);
            }
            break;
        }
        case SheetLook::TextKnob:
            if (it.size() == 11) {
                Knob(rec, it, window, Demo(i), false);
                LayoutRecord label = rec;
                label.top = rec.bottom + 8;
                label.bottom = rec.bottom + 18;
                label.left = rec.left - 4;
                label.right = rec.right + 4;
                Label(label, {it[6], it[7], it[8], it[9], it[10]}, window);
            }
            break;
        case SheetLook::Fader: {
            const Px *h = Get(it[0]), *m = Get(it[1]);
            if (h && m && it.size() == 4) {
                Px work = Background(rec, it[3]);
                const double v = Demo(i, 0.3);
                CopyMasked(*h, *m, work, 0, int((1 - v) * kFaderTravel) + kFaderTop);
                Put(work, window, rec);
            }
            break;
        }
        case SheetLook::XFader: {
            const Px *h = Get(it[0]), *m = Get(it[1]), *tray = Get(it[2]);
            if (h && m && it.size() >= 4) {
                const int step = it.size() == 5 ? std::max(1, atoi(it[4].c_str())) : 1;
                const int travel = std::max(1, W - h->w - 3);
                const double v = Demo(i, 0.2);
                const int k = int((travel * v + step / 2) / step);
                Px work = Background(rec, it[3]), layer = work;
                CopyMasked(*h, *m, layer, step * k + 1, 0);
                if (tray)
                    CopyMasked(layer, *tray, work, 0, 0);
                else
                    work = layer;
                Put(work, window, rec);
            }
            break;
        }
        case SheetLook::PeakMeter:
        case SheetLook::GainMeter: {
            const Px* bar = Get(it[0]);
            if (bar && it.size() >= 2) {
                Px work = Background(rec, it[1]);
                const double level = 0.35 + 0.6 * Demo(i);
                const int Hb = bar->h;
                if (look == SheetLook::PeakMeter) {
                    const int top = Hb - int(Hb * level);
                    const Px* src = (i % 5 == 3 && it.size() > 2) ? Get(it[2]) : bar;
                    R r{0, bar->w, top, Hb};
                    CopyTo(src ? *src : *bar, work, 0, top, &r);
                } else {
                    R r{0, bar->w, 0, int(Hb * level * 0.4)};
                    CopyTo(*bar, work, 0, 0, &r);
                }
                Put(work, window, rec);
            }
            break;
        }
        case SheetLook::Lamp: {
            Px on(W, H);
            const std::string bg = it.size() == 3 ? it[2] : it.size() == 2 ? it[1] : "";
            if (const Px* b = Get(bg)) {
                R r{rec.left, rec.right, rec.top, rec.bottom};
                CopyTo(*b, on, 0, 0, &r);
            }
            Px off = on;
            if (const Px* lit = Get(it[0])) {
                if (it.size() == 3) {
                    if (const Px* m = Get(it[1]))
                        CopyMasked(*lit, *m, on, 0, 0);
                } else {
                    CopyTo(*lit, on, 0, 0);
                }
            }
            Put((i % 2 != 0) != alt_ ? on : off, window, rec);
            break;
        }
        case SheetLook::PushButton: {
            Px normal = Background(rec, it.size() > 1 ? it[1] : "");
            const Px* pressed = Get(it[0]);
            Put((i % 4 == 1) != alt_ && pressed ? *pressed : normal, window, rec);
            break;
        }
        case SheetLook::ModeButton:
            if (const Px* n = Get(it.size() > 1 ? it[alt_ ? 0 : 1] : ""))
                Put(*n, window, rec);
            break;
        case SheetLook::EffectButton:
            if (it.size() == 11) {
                const int slot = it[10][0] - '0', order = alt_ ? 1 : 0;
                const bool amp = alt_;
                int index = slot != order ? 0 : amp ? (slot == 0 ? 3 : 4) : (slot == 0 ? 1 : 2);
                if (alt_ && slot == 0)
                    index += 5;  // pressed
                const std::string name = it[size_t(index)];
                if (const Px* img = Get(name))
                    Put(*img, window, rec);
            }
            break;
        case SheetLook::EffectLed:
            if (const Px* img = Get(it[alt_ ? 3 : 0]))
                Put(*img, window, rec);
            break;
        case SheetLook::EffectTray:
            if (const Px* img = Get(it[alt_ ? 1 : 0]))
                Put(*img, window, rec);
            break;
        case SheetLook::ImageTray:
            if (it.size() > 1 && it[1] == "0")
                Put(Background(rec, it[0]), window, rec);
            else if (const Px* img = Get(it[0]))
                Put(*img, window, rec);
            break;
        case SheetLook::CueMixButton:
        case SheetLook::InputMixButton: {
            const bool cue = look == SheetLook::CueMixButton;
            Px base = Background(rec, it.size() > 2 ? it[2] : "");
            if (const Px* b = Get(it[0]))
                CopyTo(*b, base, kMixScreenX, kMixScreenY);
            const int dots = cue ? 5 : 4;
            for (int d = 0; d < dots; ++d) {
                const int x = cue ? 6 + 3 * d : 6 + 4 * d;
                const double L = Demo(i * 7 + d, 0.1);
                const int y = int(double(float(1.0 - L)) * 14.0);
                for (auto [dx, dy] : {std::pair{-1, 5}, {0, 6}, {0, 5}, {0, 4}, {1, 5}})
                    if (x + dx >= 0 && x + dx < base.w && y + dy >= 0 && y + dy < base.h)
                        base.at(x + dx, y + dy) = 0;
            }
            Put(base, window, rec);
            break;
        }
        case SheetLook::Led:
            if (i == 1 || i == 4) {
                if (const Px* lit = Get(it[0]))
                    Put(*lit, window, rec);
            } else {
                Put(Background(rec, it[2]), window, rec);
            }
            break;
        case SheetLook::TextField:
            Put(Background(rec, it[1]), window, rec);
            break;
        case SheetLook::EqTypeStrip:
            if (const Px* strip = Get(it[0])) {
                Px work(W, H);
                const int type = i % 5;
                R r{W * type, W * type + W, 0, strip->h};
                CopyTo(*strip, work, 0, 0, &r);
                Put(work, window, rec);
            }
            break;
        case SheetLook::Label:
            if (it.size() == 5) {
                std::string text = it[4];
                if (text == "dummy text")
                    text = "BAND " + std::to_string(i - 27);
                Label(rec, it, window, text);
            }
            break;
        }
    }

    const ArtworkSet& set_;
    const LayoutTable& table_;
    std::map<std::string, Px> cache_;  // node-based: pointers stay valid as it grows
    bool alt_ = false;
};

// ------------------------------------------------------------ sheets

bool WritePng(const Surface& s, const std::string& path)
{
    if (cairo_surface_write_to_png(s.get(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        fprintf(stderr, "velbrin_artwork: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

Surface Zoom(const Surface& s, int z)
{
    Surface out(s.Width() * z, s.Height() * z);
    Cairo cr(out);
    cairo_scale(cr, z, z);
    cairo_set_source_surface(cr, s.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    return out;
}

Rgb OutlineColour(Outline outline)
{
    switch (outline) {
    case Outline::Knob:
        return Hex(0xff9a3c);
    case Outline::Slider:
        return Hex(0x5cff7a);
    case Outline::Meter:
        return Hex(0xff5cf0);
    case Outline::Label:
        return Hex(0xffe44d);
    case Outline::Tray:
    case Outline::Canvas:
        return Hex(0xffffff);
    case Outline::Logo:
        return Hex(0xff4040);
    case Outline::Button:
        break;
    }
    return Hex(0x4fd8ff);
}

bool WindowSheets(const ArtworkSet& set, const LayoutTable& table, const std::string& folder)
{
    const ArtBitmap* backdrop = set.Find(table.backdrop);
    if (!backdrop)
        return true;
    const int z = 2;
    Surface outlined = Zoom(backdrop->image, z);
    {
        Cairo cr(outlined);
        cairo_set_line_width(cr, 1.0);
        for (int i = 0; i < table.count; ++i) {
            const LayoutRecord& r = table.records[i];
            const ControlRecipe* recipe = FindControlRecipe(r.className);
            if (r.parent < 0 || !recipe || (i == 1 && recipe->sheet == SheetLook::Picture))
                continue;
            if (recipe->outline == Outline::Tray) {
                const double dash[] = {4, 3};
                cairo_set_dash(cr, dash, 2, 0);
            } else {
                cairo_set_dash(cr, nullptr, 0, 0);
            }
            cairo_rectangle(cr, r.left * z + 0.5, r.top * z + 0.5, (r.right - r.left) * z - 1, (r.bottom - r.top) * z - 1);
            SetRgb(cr, OutlineColour(recipe->outline), 0.9);
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
            if (recipe->sheet == SheetLook::TextKnob) {
                cairo_rectangle(cr, (r.left - 4) * z + 0.5, (r.bottom + 8) * z + 0.5, (r.right - r.left + 8) * z - 1, 10 * z - 1);
                SetRgb(cr, OutlineColour(Outline::Label), 0.6);
                cairo_stroke(cr);
            }
            const std::string n = std::to_string(i);
            PixelFont::Draw(cr, r.left * z + 2, r.top * z + 1, n, Rgb{0, 0, 0}, 0.8);
            PixelFont::Draw(cr, r.left * z + 1, r.top * z, n, OutlineColour(recipe->outline));
        }
    }
    if (!WritePng(outlined, folder + "/window-" + table.name + ".png"))
        return false;
    Composer composer(set, table);
    return WritePng(Zoom(ToSurface(composer.Compose(false)), z), folder + "/preview-" + table.name + ".png") &&
           WritePng(Zoom(ToSurface(composer.Compose(true)), z), folder + "/preview-" + table.name + "-alt.png");
}

bool BitmapSheet(const ArtworkSet& set, const std::string& folder)
{
    struct Cell {
        const ArtBitmap* b;
        int z, x, y, w, h;
    };
    const int sheetW = 1700, pad = 12, labelH = 10;
    std::vector<Cell> cells;
    int x = pad, y = pad, rowH = 0;
    std::vector<const ArtBitmap*> order;
    for (const ArtBitmap& b : set.Bitmaps())
        if (b.role != "backdrop")
            order.push_back(&b);
    for (const ArtBitmap& b : set.Bitmaps())
        if (b.role == "backdrop")
            order.push_back(&b);
    for (const ArtBitmap* b : order) {
        const int bw = b->image.Width(), bh = b->image.Height();
        const int z = b->role == "backdrop" ? 1 : (std::max(bw, bh) <= 40 ? 4 : (bw <= 420 && bh <= 140 ? 2 : 1));
        const std::string label = b->name + " " + std::to_string(bw) + "x" + std::to_string(bh) +
                                  (b->frames > 1 ? " /" + std::to_string(b->frames) : "");
        const int w = std::max(bw * z, PixelFont::Measure(label)), h = bh * z + labelH;
        if (x + w + pad > sheetW) {
            x = pad;
            y += rowH + pad;
            rowH = 0;
        }
        cells.push_back(Cell{b, z, x, y, w, h});
        x += w + pad;
        rowH = std::max(rowH, h);
    }
    const int sheetH = y + rowH + pad;
    Surface sheet(sheetW, sheetH);
    {
        Cairo cr(sheet);
        SetRgb(cr, Hex(0x606264));
        cairo_paint(cr);
        for (const Cell& c : cells) {
            const std::string label = c.b->name + " " + std::to_string(c.b->image.Width()) + "x" +
                                      std::to_string(c.b->image.Height()) +
                                      (c.b->frames > 1 ? " /" + std::to_string(c.b->frames) : "");
            PixelFont::Draw(cr, c.x, c.y, label, Hex(0xffffff));
            Surface z = Zoom(c.b->image, c.z);
            cairo_set_source_surface(cr, z.get(), c.x, c.y + labelH);
            cairo_paint(cr);
            if (c.b->frames > 1) {
                const int pitch = c.b->framePitch ? c.b->framePitch : c.b->image.Width();
                for (int f = 1; f < c.b->frames; ++f) {
                    cairo_rectangle(cr, c.x + f * pitch * c.z, c.y + labelH + c.b->image.Height() * c.z, 1, 3);
                }
                SetRgb(cr, Hex(0xffd040));
                cairo_fill(cr);
            }
        }
    }
    return WritePng(sheet, folder + "/sheet.png");
}

}  // namespace

bool WriteContactSheets(const ArtworkSet& set, const std::string& folder)
{
    mkdir(folder.c_str(), 0755);
    bool ok = BitmapSheet(set, folder);
    for (int w = 0; w < kLayoutWindowCount; ++w)
        ok = WindowSheets(set, GetLayoutTable(LayoutWindow(w)), folder) && ok;
    return ok;
}
