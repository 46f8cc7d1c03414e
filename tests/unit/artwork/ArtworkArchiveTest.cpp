// The built ProjectResources.res read through the program's own archive reader, bitmap cache and fonts:
// against the generator's manifest, the preset texts, and what each control of the layout tables cuts
// from its bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "PAL/BackedBitmapFont.h"
#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ResourceArchive.h"

namespace {

std::string EnvDir(const char* var, const char* fallback)
{
    const char* d = getenv(var);
    return d ? d : fallback;
}
std::string BinaryDir() { return EnvDir("VELBRIN_BINARY_DIR", VELBRIN_BUILD_DIR); }
std::string SourceDir() { return EnvDir("VELBRIN_SOURCE_DIR", ""); }

bool ReadFile(const std::string& path, std::vector<uint8_t>* out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// One "bitmap" line of the manifest.
struct ManifestBitmap {
    int w = 0, h = 0, frames = 0, pitch = 0, frame = 0;
    std::string mask;  // "-" for none
};

// The items of a record that name bitmaps (the rest are keywords, captions, digits and tags).
std::vector<std::string> BitmapItems(const LayoutRecord& r)
{
    const std::string cls = r.className;
    const auto it = SplitLayoutArguments(r.strings);
    size_t n = it.size();
    if (cls == "Static" || cls == "flTray4")
        n = 3;
    else if (cls == "flTextKnob")
        n = 9;
    else if (cls == "flHSlider")
        n = 4;
    else if (cls == "flTray2" || cls == "flRateLed" || cls == "flFXPushButton" || cls == "flCopyButton" ||
             cls == "flPasteButton" || cls == "flHPushButton")
        n = it.size() - 1;
    std::vector<std::string> out(it.begin(), it.begin() + std::min(n, it.size()));
    if (cls == "flTray4" && it.size() == 7)
        out.insert(out.end(), {it[4], it[5]});
    return out;
}

const std::set<std::string> kMeantToBeMissing = {"SPACER_MISSING_BMP", " "};

std::vector<const LayoutTable*> AllTables()
{
    std::vector<const LayoutTable*> all;
    for (int w = 0; w < kLayoutWindowCount; ++w)
        all.push_back(&GetLayoutTable(LayoutWindow(w)));
    return all;
}

// A label's font as the label builds it: first code 32, 7 x 7 cells, 20 columns, 5 rows, proportional.
BackedBitmapFont LabelFont(const std::string& glyphs, const std::string& mask)
{
    return BackedBitmapFont(BitmapCache::Get(glyphs.c_str()), BitmapCache::Get(mask.c_str()), 32, 7, 7, 20, 5, true);
}

// Items that a control draws at its own rectangle's size, by position; positions past the record's
// items and names meant to stay missing are skipped.
const std::map<std::string, std::vector<size_t>> kRectSized = {
    {"flPPM", {0, 2}},         {"flInvPPM", {0}},        {"flButton", {0}},
    {"flButton2", {0, 1}},     {"flHPushButton", {0, 1}}, {"flFXPushButton", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"flFXLed", {0, 1, 2, 3}}, {"flCueMixButton", {1}},   {"flIpMixButton", {1}},
    {"flTray", {0, 1}},        {"flTray4", {0, 1}},       {"flExtLed", {0}},
    {"flRateLed", {0}},        {"flExtText", {0}},        {"flVSlider", {2}},
    {"flHSlider", {2}},
};

}  // namespace

class Archive : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string dir = BinaryDir() + "/resources/";
        loaded_ = ResourceArchive::Global().Load((dir + "ProjectResources.res").c_str());
        std::ifstream in(dir + "ProjectResources.manifest");
        std::string line;
        while (std::getline(in, line)) {
            char name[256] = "", mask[256] = "";
            ManifestBitmap m;
            if (sscanf(line.c_str(), "bitmap %255s %d %d frames=%d pitch=%d frame=%d mask=%255s", name, &m.w, &m.h,
                       &m.frames, &m.pitch, &m.frame, mask) == 7) {
                m.mask = mask;
                bitmaps_[name] = m;
            } else if (sscanf(line.c_str(), "text %255s", name) == 1) {
                texts_[name] = line.find(" placeholder") != std::string::npos;
            } else {
                ADD_FAILURE() << "manifest line not understood: " << line;
            }
        }
    }

    static void TearDownTestSuite()
    {
        BitmapCache::Empty();
        ResourceArchive::Global().Clear();
    }

    void SetUp() override { ASSERT_TRUE(loaded_) << "ProjectResources.res is not built in " << BinaryDir(); }

    // The bitmap a control gets for name, or null when it is missing or does not decode.
    static const Bitmap* Bmp(const std::string& name)
    {
        const ResourceBitmap* b = BitmapCache::Get(name.c_str());
        return b && b->IsValid() ? b : nullptr;
    }

    static bool loaded_;
    static std::map<std::string, ManifestBitmap> bitmaps_;
    static std::map<std::string, bool> texts_;  // name -> packed as a placeholder
};

bool Archive::loaded_ = false;
std::map<std::string, ManifestBitmap> Archive::bitmaps_;
std::map<std::string, bool> Archive::texts_;

TEST_F(Archive, EveryListedBitmapDecodesAtItsSizeWithWholeFramesAndAMaskOfItsSize)
{
    EXPECT_GT(bitmaps_.size(), 100u);
    EXPECT_EQ(ResourceArchive::Global().Count(), bitmaps_.size() + texts_.size())
        << "the archive holds records the manifest does not list, duplicates, or records its reader skipped";
    for (const auto& [name, m] : bitmaps_) {
        SCOPED_TRACE(name);
        const Bitmap* b = Bmp(name);
        ASSERT_NE(b, nullptr) << "missing or not decoded";
        EXPECT_EQ(b->GetWidth(), m.w);
        EXPECT_EQ(b->GetHeight(), m.h);
        EXPECT_GE(m.frames, 1);
        EXPECT_LE(m.frame, m.pitch);
        EXPECT_EQ(m.frames * m.pitch, m.w) << "a strip is a whole number of frames";
        if (m.mask == "-")
            continue;
        const Bitmap* mask = Bmp(m.mask);
        ASSERT_NE(mask, nullptr) << m.mask;
        const bool oneFrame = m.frames > 1 && mask->GetWidth() < b->GetWidth();
        EXPECT_EQ(mask->GetWidth(), oneFrame ? m.frame : b->GetWidth()) << m.mask;
        EXPECT_EQ(mask->GetHeight(), b->GetHeight()) << m.mask;
    }
}

TEST_F(Archive, BothPresetTextsArePackedAsTheyStand)
{
    ASSERT_FALSE(SourceDir().empty()) << "VELBRIN_SOURCE_DIR is not set; run through ctest";
    for (const char* name : {"VelbrinCompPresets.csv", "VelbrinEQPresets.csv"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(texts_.count(name), 1u) << "missing from the manifest";
        EXPECT_FALSE(texts_[name]) << "packed as a placeholder";
        const ResourceRecord* r = ResourceArchive::Global().Find(name);
        ASSERT_NE(r, nullptr);
        std::vector<uint8_t> source;
        ASSERT_TRUE(ReadFile(SourceDir() + "/resources/presets/" + name, &source));
        ASSERT_FALSE(source.empty());
        EXPECT_EQ(std::vector<uint8_t>(r->GetData(), r->GetData() + r->GetSize()), source);
    }
}

TEST_F(Archive, EveryNameTheTablesUseResolvesExceptThoseMeantToStayMissing)
{
    for (const std::string& name : kMeantToBeMissing)
        EXPECT_EQ(ResourceArchive::Global().Find(name.c_str()), nullptr) << '"' << name << '"';
    for (const LayoutTable* t : AllTables()) {
        EXPECT_NE(Bmp(t->backdrop), nullptr) << t->name << " backdrop " << t->backdrop;
        for (int i = 0; i < t->count; ++i)
            for (const std::string& name : BitmapItems(t->records[i]))
                EXPECT_TRUE(kMeantToBeMissing.count(name) || Bmp(name))
                    << t->name << " record " << i << " names " << name;
    }
}

// What each control cuts from its bitmaps, checked on every record of every table.
TEST_F(Archive, EveryControlFindsItsBitmapsInTheGeometryItCuts)
{
    for (const LayoutTable* t : AllTables()) {
        for (int i = 0; i < t->count; ++i) {
            const LayoutRecord& r = t->records[i];
            const std::string cls = r.className;
            const auto it = SplitLayoutArguments(r.strings);
            const int W = r.right - r.left, H = r.bottom - r.top;
            SCOPED_TRACE(std::string(t->name) + " record " + std::to_string(i) + " " + cls);
            auto get = [&](size_t k) {
                const Bitmap* b = k < it.size() ? Bmp(it[k]) : nullptr;
                EXPECT_NE(b, nullptr) << "item " << k;
                return b;
            };
            auto same = [&](size_t k, int w, int h) {
                const Bitmap* b = get(k);
                EXPECT_TRUE(!b || (b->GetWidth() == w && b->GetHeight() == h))
                    << it[k] << " is " << b->GetWidth() << "x" << b->GetHeight() << ", wanted " << w << "x" << h;
            };
            // Bitmap b, drawn at (x, y) of the control, stays inside the control.
            auto inside = [&](const Bitmap* b, int x, int y) {
                EXPECT_TRUE(!b || (x + b->GetWidth() <= W && y + b->GetHeight() <= H))
                    << "a sub-image overruns the control";
            };
            const auto sized = kRectSized.find(cls);
            if (sized != kRectSized.end())
                for (size_t k : sized->second)
                    if (k < it.size() && !kMeantToBeMissing.count(it[k]))
                        same(k, W, H);

            if (cls == "flCanvas") {
                same(0, t->width, t->height);
            } else if (cls == "flKnob" || cls == "flKnob2" || cls == "flKnob3" || cls == "flTextKnob") {
                const Bitmap *cap = get(0), *capMask = get(1), *track = get(2);
                if (!cap || !capMask || !track)
                    continue;
                same(1, 19, cap->GetHeight());
                EXPECT_GE(cap->GetWidth(), 20 * 28 + 19) << "29 cap frames at a 20-pixel pitch";
                inside(capMask, 4, 4);
                same(3, track->GetWidth(), track->GetHeight());
                EXPECT_GE(track->GetWidth(), 27 * 29) << "29 track frames at a 27-pixel pitch";
                if (cls == "flKnob3" || cls == "flTextKnob")
                    same(5, cap->GetWidth(), cap->GetHeight());
                if (cls == "flKnob2") {
                    const LayoutRecord& parent = t->records[r.parent];
                    const Bitmap* image = Bmp(SplitLayoutArguments(parent.strings)[0]);
                    ASSERT_NE(image, nullptr);
                    EXPECT_LE(r.right - parent.left, image->GetWidth());
                    EXPECT_LE(r.bottom - parent.top, image->GetHeight());
                }
            } else if (cls == "flVSlider") {
                if (const Bitmap* handle = get(0)) {
                    same(1, handle->GetWidth(), handle->GetHeight());
                    inside(handle, 0, 2 + 95);  // the handle at value 0
                }
            } else if (cls == "flHSlider") {
                if (const Bitmap* handle = get(0)) {
                    EXPECT_EQ(handle->GetHeight(), H);
                    same(1, handle->GetWidth(), H);
                    const int hw = handle->GetWidth(), travel = std::max(1, W - hw - 3);
                    const int step = it.size() == 5 ? std::max(1, atoi(it[4].c_str())) : 1;
                    EXPECT_LE(step * ((travel + step / 2) / step) + 1 + hw, W) << "the handle at value 1 stays inside";
                }
            } else if (cls == "flPushButton" || cls == "flCopyButton" || cls == "flPasteButton") {
                const Bitmap* pressed = get(0);
                EXPECT_TRUE(!pressed || (pressed->GetWidth() == W && pressed->GetHeight() >= H)) << it[0];
            } else if (cls == "flCueMixButton" || cls == "flIpMixButton") {
                if (const Bitmap* screen = get(0)) {
                    EXPECT_TRUE(screen->GetWidth() >= 15 && screen->GetHeight() >= 17) << "under every cross";
                    inside(screen, 5, 4);
                }
            } else if (cls == "flButton" && it.size() == 3) {
                same(1, W, H);  // the mask, when the button has one
            } else if (cls == "flTray2") {
                if (it.size() == 2 && it[1] != "0")
                    same(0, W, H);
            } else if (cls == "flTray3") {
                if (const Bitmap* cover = get(0)) {
                    same(1, cover->GetWidth(), cover->GetHeight());
                    inside(cover, 93, 0);
                }
            } else if (cls == "flExtLed") {
                inside(get(1), 4, 2);
            } else if (cls == "flEQType") {
                if (const Bitmap* strip = get(0)) {
                    EXPECT_EQ(strip->GetHeight(), H);
                    EXPECT_EQ(strip->GetWidth() % W, 0);
                    EXPECT_GE(strip->GetWidth() / W, 5) << "frames 0..4";
                }
            }
        }
    }
}

// The labels' font as the program builds it over the archive's glyph grid and mask.
TEST_F(Archive, EveryPrintableGlyphHasInkFromItsCellsLeftEdge)
{
    const Bitmap* mask = Bmp("FontMask.bmp");
    ASSERT_NE(mask, nullptr);
    ASSERT_TRUE(mask->GetWidth() >= 140 && mask->GetHeight() >= 35) << "smaller than the glyph grid";
    BackedBitmapFont font = LabelFont("font.bmp", "FontMask.bmp");
    EXPECT_EQ(font.MeasureText(" "), 6) << "a blank advances cell width - 1";
    for (int code = 33; code < 127; ++code) {
        SCOPED_TRACE(std::string(1, char(code)));
        EXPECT_GT(font.MeasureText(std::string(1, char(code)).c_str()), 1) << "no ink";
        const int g = code - 32, cx = (g % 20) * 7, cy = (g / 20) * 7;
        bool leftInk = false;
        for (int y = 0; y < 7; ++y)
            leftInk = leftInk || mask->GetPixel(cx, cy + y) != 0;
        EXPECT_TRUE(leftInk) << "the advance counts from the cell's left edge";
    }
}

// Every label lies inside the backdrop it copies its background from, and its caption, measured by the
// font the label builds, fits its width.
TEST_F(Archive, LabelsLieInsideTheirBackdropsAndTheirCaptionsFit)
{
    int labels = 0;
    for (const LayoutTable* t : AllTables()) {
        for (int i = 0; i < t->count; ++i) {
            const LayoutRecord& r = t->records[i];
            const auto it = SplitLayoutArguments(r.strings);
            size_t first;  // the label's five items: font, font mask, background, justification, caption
            Rect rect = {r.left, r.right, r.top, r.bottom};
            if (!strcmp(r.className, "Static")) {
                first = 0;
            } else if (!strcmp(r.className, "flTextKnob")) {
                first = 6;
                rect = {r.left - 4, r.right + 4, r.bottom + 8, r.bottom + 18};
            } else {
                continue;
            }
            ++labels;
            SCOPED_TRACE(std::string(t->name) + " record " + std::to_string(i));
            ASSERT_EQ(it.size(), first + 5);
            const Bitmap* backdrop = Bmp(it[first + 2]);
            ASSERT_NE(backdrop, nullptr) << it[first + 2];
            EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= backdrop->GetWidth() &&
                        rect.bottom <= backdrop->GetHeight())
                << "label " << rect.left << ".." << rect.right << " x " << rect.top << ".." << rect.bottom
                << " outside " << it[first + 2];
            for (size_t k : {first, first + 1}) {
                const Bitmap* grid = Bmp(it[k]);
                EXPECT_TRUE(grid && grid->GetWidth() >= 140 && grid->GetHeight() >= 35)
                    << it[k] << " lacks the glyph grid";
            }
            BackedBitmapFont font = LabelFont(it[first], it[first + 1]);
            const std::string& caption = it[first + 4];
            EXPECT_LE(font.MeasureText(caption.c_str()), rect.right - rect.left) << '"' << caption << '"';
        }
    }
    EXPECT_GT(labels, 40);
}

TEST_F(Archive, GeneratorWritesTheSameBytesOnEveryRunAsTheBuiltArchive)
{
    const std::string generator = BinaryDir() + "/resources/velbrin_artwork";
    ASSERT_EQ(access(generator.c_str(), X_OK), 0) << generator;
    ASSERT_FALSE(SourceDir().empty()) << "VELBRIN_SOURCE_DIR is not set; run through ctest";
    char dir[] = "/tmp/velbrin-artwork-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::vector<std::vector<uint8_t>> runs(3);
    ASSERT_TRUE(ReadFile(BinaryDir() + "/resources/ProjectResources.res", &runs[0]));
    for (int run = 1; run <= 2; ++run) {
        const std::string out = std::string(dir) + "/run" + std::to_string(run) + ".res";
        const std::string cmd = "'" + generator + "' --presets '" + SourceDir() + "/resources/presets' --archive '" + out +
                                "' 2>/dev/null";
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        EXPECT_TRUE(ReadFile(out, &runs[size_t(run)])) << out;
        remove(out.c_str());
    }
    rmdir(dir);
    EXPECT_FALSE(runs[1].empty());
    EXPECT_TRUE(runs[1] == runs[2]) << "two runs differ";
    EXPECT_TRUE(runs[1] == runs[0]) << "a fresh run differs from the built archive";
}
