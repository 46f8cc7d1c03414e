#include "resources/artwork/ContactSheet.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "PAL/LayoutTables.h"
#include "resources/artwork/ControlRecipe.h"
#include "resources/artwork/Draw.h"
#include "resources/artwork/PixelFont.h"

namespace {

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
            // The root, and a main window's backdrop picture under it, would outline the whole window.
            if (r.parent < 0 || !recipe || (i == 1 && !strcmp(r.className, "flCanvas")))
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
            if (!strcmp(r.className, "flTextKnob")) {
                // Its caption, which it draws 8..18 rows below its rectangle, 4 pixels wider each side.
                cairo_rectangle(cr, (r.left - 4) * z + 0.5, (r.bottom + 8) * z + 0.5, (r.right - r.left + 8) * z - 1, 10 * z - 1);
                SetRgb(cr, OutlineColour(Outline::Label), 0.6);
                cairo_stroke(cr);
            }
            const std::string n = std::to_string(i);
            PixelFont::Draw(cr, r.left * z + 2, r.top * z + 1, n, Rgb{0, 0, 0}, 0.8);
            PixelFont::Draw(cr, r.left * z + 1, r.top * z, n, OutlineColour(recipe->outline));
        }
    }
    return WritePng(outlined, folder + "/window-" + table.name + ".png");
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
