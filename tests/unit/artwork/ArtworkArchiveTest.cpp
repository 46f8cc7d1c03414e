// The built ProjectResources.res read through the program's own archive reader, bitmap cache and fonts:
// against the generator's manifest, the preset texts, and what each control of the layout tables cuts
// from its bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include "PAL/BackedBitmapFont.h"
#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ResourceArchive.h"
#include "support/RealArchive.h"
#include "support/TempFolder.h"

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
    {"flPPM", {0, 2}},         {"flInvPPM", {0}},      {"flButton", {0}},
    {"flButton2", {0, 1}},     {"flFXLed", {0, 1, 2, 3}}, {"flCueMixButton", {1}},
    {"flIpMixButton", {1}},    {"flTray", {0, 1}},     {"flTray4", {0, 1}},
    {"flExtLed", {0}},         {"flRateLed", {0}},     {"flExtText", {0}},
    {"flVSlider", {2}},        {"flHSlider", {2}},
};

// The images a push button draws whole at its rectangle's top-left corner, by item position.
const std::map<std::string, std::vector<size_t>> kPushButtonImages = {
    {"flPushButton", {0}},  {"flCopyButton", {0}},   {"flPasteButton", {0}},
    {"flHPushButton", {0, 1}}, {"flFXPushButton", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
};

// Silkscreen ink of the backdrops: captions are drawn pixel-exact in these colours.
const std::set<uint32_t> kSilkscreenInk = {0xdcd8cc, 0x8f8d87, 0xf0a63c};

struct Box {
    int left, top, right, bottom;  // inclusive
    bool Inside(const Box& o) const { return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom; }
    bool Near(const Box& o, int gap) const
    {
        return left - gap <= o.right && right + gap >= o.left && top - gap <= o.bottom && bottom + gap >= o.top;
    }
};

// Words of silkscreen ink inside area of the backdrop: ink pixels joined when at most two columns
// and one row apart, so that the letters of a word join and words stay apart.
std::vector<Box> InkWords(const Bitmap& backdrop, const Box& area)
{
    const int w = area.right - area.left + 1, h = area.bottom - area.top + 1;
    std::vector<int> word(size_t(w * h), -1);
    std::vector<Box> words;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (word[size_t(y * w + x)] >= 0 || !kSilkscreenInk.count(backdrop.GetPixel(area.left + x, area.top + y)))
                continue;
            const int id = int(words.size());
            words.push_back({area.left + x, area.top + y, area.left + x, area.top + y});
            std::vector<std::pair<int, int>> todo = {{x, y}};
            word[size_t(y * w + x)] = id;
            while (!todo.empty()) {
                const auto [px, py] = todo.back();
                todo.pop_back();
                Box& b = words[size_t(id)];
                b = {std::min(b.left, area.left + px), std::min(b.top, area.top + py),
                     std::max(b.right, area.left + px), std::max(b.bottom, area.top + py)};
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -2; dx <= 2; ++dx) {
                        const int nx = px + dx, ny = py + dy;
                        if (nx < 0 || ny < 0 || nx >= w || ny >= h || word[size_t(ny * w + nx)] >= 0 ||
                            !kSilkscreenInk.count(backdrop.GetPixel(area.left + nx, area.top + ny)))
                            continue;
                        word[size_t(ny * w + nx)] = id;
                        todo.push_back({nx, ny});
                    }
            }
        }
    return words;
}

}  // namespace

class Archive : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string dir = BinaryDir() + "/resources/";
        loaded_ = LoadRealArchive();
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

    static void TearDownTestSuite() { BitmapCache::Empty(); }

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

// What each control cuts from its bitmaps, checked on every record of every table (the knobs' strips
// are checked through the knobs themselves, in ControlArtworkTest).
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

// A push button draws its images whole from its rectangle's top-left corner, clipped to the
// rectangle: an image fills the rectangle and loses nothing to the clip. An image that rectangles
// of different sizes share is the size of the smallest and fits in every one.
TEST_F(Archive, EveryPushButtonImageIsTheSizeOfTheRectanglesThatDrawIt)
{
    struct Use {
        std::string where;
        int w, h;
    };
    std::map<std::string, std::vector<Use>> uses;
    for (const LayoutTable* t : AllTables())
        for (int i = 0; i < t->count; ++i) {
            const LayoutRecord& r = t->records[i];
            const auto images = kPushButtonImages.find(r.className);
            if (images == kPushButtonImages.end())
                continue;
            const auto it = SplitLayoutArguments(r.strings);
            for (size_t k : images->second)
                if (k < it.size())
                    uses[it[k]].push_back(
                        {std::string(t->name) + " record " + std::to_string(i), r.right - r.left, r.bottom - r.top});
        }
    EXPECT_GE(uses.size(), 15u);
    for (const auto& [name, list] : uses) {
        SCOPED_TRACE(name);
        const Bitmap* b = Bmp(name);
        ASSERT_NE(b, nullptr);
        bool fills = false;
        for (const Use& u : list) {
            EXPECT_TRUE(b->GetWidth() <= u.w && b->GetHeight() <= u.h)
                << b->GetWidth() << "x" << b->GetHeight() << " is clipped by " << u.where << ", " << u.w << "x" << u.h;
            fills = fills || (b->GetWidth() == u.w && b->GetHeight() == u.h);
        }
        EXPECT_TRUE(fills) << b->GetWidth() << "x" << b->GetHeight() << " is smaller than every rectangle that draws it";
    }
}

// The EQ panel picks a frame of "EqTypeSymbols.bmp" by the band's filter: 0 high-pass, 1 low shelf,
// 2 bell, 3 high shelf, 4 low-pass. A frame draws the filter's response as one curve over a flat
// face, low frequencies left; the curve's height in each inked column tells the filter.
TEST_F(Archive, EachEqTypeSymbolFrameDrawsTheResponseOfItsFilter)
{
    const Bitmap* strip = Bmp("EqTypeSymbols.bmp");
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->GetWidth(), 55);
    ASSERT_EQ(strip->GetHeight(), 9);
    enum Shape { Rising, Falling, Peak };
    const struct {
        const char* filter;
        Shape shape;
        bool levelsOff;  // a shelf levels off in the stop band; a pass filter keeps falling
    } frames[] = {
        {"high-pass", Rising, false}, {"low shelf", Falling, true}, {"bell", Peak, false},
        {"high shelf", Rising, true}, {"low-pass", Falling, false},
    };
    for (int f = 0; f < 5; ++f) {
        SCOPED_TRACE(std::string("frame ") + std::to_string(f) + ", " + frames[f].filter);
        const uint32_t face = strip->GetPixel(11 * f, 0);
        std::vector<int> height;
        for (int x = 0; x < 11; ++x)
            for (int y = 0; y < 9; ++y)
                if (strip->GetPixel(11 * f + x, y) != face) {
                    height.push_back(9 - y);
                    break;
                }
        ASSERT_GE(height.size(), 5u) << "no curve";
        if (frames[f].shape == Peak) {
            const auto top = std::max_element(height.begin(), height.end());
            EXPECT_EQ(height.front(), height.back());
            EXPECT_GT(*top, height.front());
            EXPECT_TRUE(std::is_sorted(height.begin(), top + 1));
            EXPECT_TRUE(std::is_sorted(top, height.end(), std::greater<int>()));
            continue;
        }
        if (frames[f].shape == Falling)
            std::reverse(height.begin(), height.end());
        // Now from the stop band to the pass band.
        const size_t n = height.size();
        EXPECT_TRUE(std::is_sorted(height.begin(), height.end()));
        EXPECT_LT(height.front(), height.back());
        EXPECT_EQ(height[n - 1], height[n - 2]) << "flat in the pass band";
        EXPECT_EQ(height[0] == height[1], frames[f].levelsOff);
    }
}

// A cover's badge (where its mask is fully opaque) hides what lies under it, so it hides a caption
// whole or keeps two pixels clear of it: the silkscreen words of the window's backdrop under the
// cover, and the captions of the window's labels.
TEST_F(Archive, CoverBadgesHideCaptionsWholeOrKeepClearOfThem)
{
    int badges = 0;
    for (const LayoutTable* t : AllTables()) {
        const Bitmap* backdrop = Bmp(t->backdrop);
        ASSERT_NE(backdrop, nullptr) << t->backdrop;
        for (int i = 0; i < t->count; ++i) {
            const LayoutRecord& r = t->records[i];
            const std::string cls = r.className;
            if (cls != "flTray3" && cls != "flTray4")
                continue;
            SCOPED_TRACE(std::string(t->name) + " record " + std::to_string(i));
            const auto it = SplitLayoutArguments(r.strings);
            const Bitmap* mask = Bmp(it[1]);
            ASSERT_NE(mask, nullptr) << it[1];
            const int x0 = r.left + (cls == "flTray3" ? 93 : 0), y0 = r.top;
            const Box area{x0, y0, x0 + mask->GetWidth() - 1, y0 + mask->GetHeight() - 1};
            Box badge{area.right, area.bottom, area.left, area.top};
            for (int y = 0; y < mask->GetHeight(); ++y)
                for (int x = 0; x < mask->GetWidth(); ++x)
                    if (mask->GetPixel(x, y) == 0xFFFFFF)
                        badge = {std::min(badge.left, x0 + x), std::min(badge.top, y0 + y),
                                 std::max(badge.right, x0 + x), std::max(badge.bottom, y0 + y)};
            if (badge.left > badge.right)
                continue;  // a cover without a badge
            ++badges;
            std::vector<std::pair<std::string, Box>> captions;
            for (const Box& word : InkWords(*backdrop, area))
                captions.push_back({"silkscreen", word});
            for (int k = 0; k < t->count; ++k) {
                const LayoutRecord& l = t->records[k];
                const auto items = SplitLayoutArguments(l.strings);
                size_t first;
                Rect rect = {l.left, l.right, l.top, l.bottom};
                if (!strcmp(l.className, "Static") && items.size() == 5) {
                    first = 0;
                } else if (!strcmp(l.className, "flTextKnob") && items.size() == 11) {
                    first = 6;
                    rect = {l.left - 4, l.right + 4, l.bottom + 8, l.bottom + 18};
                } else {
                    continue;
                }
                const std::string& caption = items[first + 4];
                const int width = LabelFont(items[first], items[first + 1]).MeasureText(caption.c_str());
                const int room = rect.right - rect.left;
                const std::string& justify = items[first + 3];
                const int x = justify.rfind("JUSTIFY_CENTRE", 0) == 0 ? (room - width) / 2
                              : justify.rfind("JUSTIFY_RIGHT", 0) == 0 ? room - width
                                                                        : 0;
                // Capitals fill rows 1..5 of the label; the advance ends one column after the ink.
                captions.push_back({"label " + std::to_string(k) + " \"" + caption + "\"",
                                    Box{rect.left + x, rect.top + 1, rect.left + x + width - 2, rect.top + 5}});
            }
            for (const auto& [what, c] : captions)
                EXPECT_TRUE(c.Inside(badge) || !c.Near(badge, 2))
                    << what << " at " << c.left << ".." << c.right << " x " << c.top << ".." << c.bottom
                    << " against the badge at " << badge.left << ".." << badge.right << " x " << badge.top << ".."
                    << badge.bottom;
        }
    }
    EXPECT_GE(badges, 10);
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
    const TempFolder dir;
    ASSERT_FALSE(dir.Path().empty());
    std::vector<std::vector<uint8_t>> runs(3);
    ASSERT_TRUE(ReadFile(BinaryDir() + "/resources/ProjectResources.res", &runs[0]));
    for (int run = 1; run <= 2; ++run) {
        const std::string out = dir / ("run" + std::to_string(run) + ".res");
        const std::string cmd = "'" + generator + "' --presets '" + SourceDir() + "/resources/presets' --archive '" + out +
                                "' 2>/dev/null";
        EXPECT_EQ(system(cmd.c_str()), 0) << cmd;
        EXPECT_TRUE(ReadFile(out, &runs[size_t(run)])) << out;
    }
    EXPECT_FALSE(runs[1].empty());
    EXPECT_TRUE(runs[1] == runs[2]) << "two runs differ";
    EXPECT_TRUE(runs[1] == runs[0]) << "a fresh run differs from the built archive";
}

// Silkscreen captions keep two pixels of panel between their ink and the window's edge line.
TEST_F(Archive, SilkscreenCaptionsKeepClearOfTheWindowEdge)
{
    for (const LayoutTable* t : AllTables()) {
        const Bitmap* backdrop = Bmp(t->backdrop);
        ASSERT_NE(backdrop, nullptr) << t->backdrop;
        const Box whole{0, 0, backdrop->GetWidth() - 1, backdrop->GetHeight() - 1};
        const Box inner{3, 3, whole.right - 3, whole.bottom - 3};
        for (const Box& word : InkWords(*backdrop, whole))
            EXPECT_TRUE(word.Inside(inner)) << t->name << ": ink at " << word.left << ".." << word.right << " x "
                                            << word.top << ".." << word.bottom;
    }
}
