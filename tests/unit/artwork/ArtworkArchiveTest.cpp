// The built ProjectResources.res against the archive format, the BMP form the decoder reads, the
// generator's manifest, and what each control of the layout tables cuts from its bitmaps.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "PAL/BitmapCache.h"
#include "PAL/LayoutTables.h"
#include "PAL/ResourceArchive.h"

namespace {

std::string BinaryDir()
{
    const char* d = getenv("VELBRIN_BINARY_DIR");
    return d ? d : VELBRIN_BUILD_DIR;
}

std::string SourceDir()
{
    const char* d = getenv("VELBRIN_SOURCE_DIR");
    return d ? d : "";
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* out)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out->clear();
    uint8_t buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out->insert(out->end(), buf, buf + n);
    fclose(f);
    return true;
}

uint32_t BE32(const std::vector<uint8_t>& d, size_t at)
{
    return (uint32_t(d[at]) << 24) | (uint32_t(d[at + 1]) << 16) | (uint32_t(d[at + 2]) << 8) | d[at + 3];
}

uint32_t LE32(const std::vector<uint8_t>& d, size_t at)
{
    return d[at] | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) | (uint32_t(d[at + 3]) << 24);
}

uint16_t LE16(const std::vector<uint8_t>& d, size_t at) { return uint16_t(d[at] | (d[at + 1] << 8)); }

struct Entry {
    std::string name;
    std::vector<uint8_t> payload;
};

// Reads an archive as the program's reader does, but checks every offset; an error names the
// first fault.
bool ParseArchive(const std::vector<uint8_t>& file, std::vector<Entry>* entries, std::string* error)
{
    if (file.size() < 4) {
        *error = "shorter than its count";
        return false;
    }
    const uint32_t n = BE32(file, 0);
    if (int32_t(n) <= 0 || 4 + 8ull * n > file.size()) {
        *error = "bad count";
        return false;
    }
    for (uint32_t k = 0; k < n; ++k) {
        const uint32_t nameAt = BE32(file, 4 + 8 * k), dataAt = BE32(file, 8 + 8 * k);
        if (nameAt >= file.size() || dataAt + 8ull > file.size()) {
            *error = "offset out of the file at entry " + std::to_string(k);
            return false;
        }
        std::string name;
        size_t p = nameAt;
        while (p < file.size() && file[p] != 0 && name.size() < 256)
            name += char(file[p++]);
        if (p >= file.size() || file[p] != 0 || name.size() > 255) {
            *error = "unterminated or long name at entry " + std::to_string(k);
            return false;
        }
        const uint32_t size = BE32(file, dataAt);
        if (dataAt + 8ull + size > file.size()) {
            *error = "payload beyond the file: " + name;
            return false;
        }
        entries->push_back(Entry{name, std::vector<uint8_t>(file.begin() + dataAt + 8, file.begin() + dataAt + 8 + size)});
    }
    return true;
}

struct Bmp {
    int w = 0, h = 0;
};

// The form the program's decoder reads: "BM", 40-byte header, 24 bits, pixels right after the
// header, bottom-up rows padded to 4 bytes.
bool ParseBmp(const std::vector<uint8_t>& d, Bmp* out, std::string* error)
{
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
        *error = "not a BMP";
        return false;
    }
    const int32_t w = int32_t(LE32(d, 18)), h = int32_t(LE32(d, 22));
    if (LE32(d, 14) != 40 || LE16(d, 28) != 24 || LE32(d, 30) != 0 || LE32(d, 10) != 54) {
        *error = "not an uncompressed 24-bit BMP with a 40-byte header";
        return false;
    }
    if (w <= 0 || h <= 0) {
        *error = "not a bottom-up image";
        return false;
    }
    const size_t row = (size_t(w) * 3 + 3) & ~size_t(3);
    if (d.size() != 54 + row * size_t(h) || LE32(d, 2) != d.size()) {
        *error = "size does not match the pixels";
        return false;
    }
    out->w = w;
    out->h = h;
    return true;
}

struct ManifestLine {
    int w = 0, h = 0, frames = 1, pitch = 0, frame = 0;
    std::string mask;
};

class Archive : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string dir = BinaryDir() + "/resources/";
        loaded_ = ReadFile(dir + "ProjectResources.res", &file_);
        if (loaded_)
            parsed_ = ParseArchive(file_, &entries_, &error_);
        for (const Entry& e : entries_) {
            Bmp b;
            std::string err;
            if (e.name.size() > 4 && e.name.compare(e.name.size() - 4, 4, ".bmp") == 0 && ParseBmp(e.payload, &b, &err))
                bitmaps_[e.name] = b;
        }
        std::vector<uint8_t> m;
        if (ReadFile(dir + "ProjectResources.manifest", &m)) {
            std::istringstream in(std::string(m.begin(), m.end()));
            std::string line;
            while (std::getline(in, line)) {
                std::istringstream f(line);
                std::string kind, name;
                f >> kind >> name;
                if (kind == "text") {
                    texts_.insert(name);
                    continue;
                }
                ManifestLine ml;
                f >> ml.w >> ml.h;
                std::string field;
                while (f >> field) {
                    const auto eq = field.find('=');
                    const std::string key = field.substr(0, eq), value = field.substr(eq + 1);
                    if (key == "frames")
                        ml.frames = atoi(value.c_str());
                    else if (key == "pitch")
                        ml.pitch = atoi(value.c_str());
                    else if (key == "frame")
                        ml.frame = atoi(value.c_str());
                    else if (key == "mask" && value != "-")
                        ml.mask = value;
                }
                manifest_[name] = ml;
            }
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(loaded_) << "ProjectResources.res is not built in " << BinaryDir();
        ASSERT_TRUE(parsed_) << error_;
    }

    static const Entry* Find(const std::string& name)
    {
        for (const Entry& e : entries_)
            if (e.name == name)
                return &e;
        return nullptr;
    }
    static const Bmp* Bitmap(const std::string& name)
    {
        auto it = bitmaps_.find(name);
        return it == bitmaps_.end() ? nullptr : &it->second;
    }

    static bool loaded_, parsed_;
    static std::string error_;
    static std::vector<uint8_t> file_;
    static std::vector<Entry> entries_;
    static std::map<std::string, Bmp> bitmaps_;
    static std::map<std::string, ManifestLine> manifest_;
    static std::set<std::string> texts_;
};

bool Archive::loaded_ = false;
bool Archive::parsed_ = false;
std::string Archive::error_;
std::vector<uint8_t> Archive::file_;
std::vector<Entry> Archive::entries_;
std::map<std::string, Bmp> Archive::bitmaps_;
std::map<std::string, ManifestLine> Archive::manifest_;
std::set<std::string> Archive::texts_;

std::vector<std::string> Items(const char* strings)
{
    std::vector<std::string> items;
    if (!*strings)
        return items;
    std::string cur;
    for (const char* p = strings; *p; ++p) {
        if (*p == '\n') {
            items.push_back(cur);
            cur.clear();
        } else {
            cur += *p;
        }
    }
    items.push_back(cur);
    return items;
}

// The items of a record that name bitmaps (the rest are keywords, captions, digits and tags).
std::vector<std::string> BitmapItems(const LayoutRecord& r)
{
    const std::string cls = r.className;
    const auto it = Items(r.strings);
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
    if (cls == "flTray4" && it.size() == 7) {
        out.push_back(it[4]);
        out.push_back(it[5]);
    }
    return out;
}

const std::set<std::string> kMeantToBeMissing = {"SPACER_MISSING_BMP", " "};

std::vector<LayoutWindow> AllWindows()
{
    std::vector<LayoutWindow> all;
    for (int w = 0; w < kLayoutWindowCount; ++w)
        all.push_back(LayoutWindow(w));
    return all;
}

}  // namespace

TEST_F(Archive, EveryEntryHasAUniqueNameAndABitmapIsA24BitBmp)
{
    std::set<std::string> names;
    for (const Entry& e : entries_) {
        EXPECT_TRUE(names.insert(e.name).second) << "duplicate " << e.name;
        for (unsigned char c : e.name)
            EXPECT_TRUE(c >= 0x20 && c < 0x80) << e.name << ": a name byte the lookup would take for its end";
        if (e.name.size() > 4 && e.name.compare(e.name.size() - 4, 4, ".bmp") == 0) {
            Bmp b;
            std::string err;
            EXPECT_TRUE(ParseBmp(e.payload, &b, &err)) << e.name << ": " << err;
        }
    }
    EXPECT_GT(bitmaps_.size(), 100u);
}

TEST_F(Archive, TheProgramsReaderAndDecoderTakeEveryBitmap)
{
    ResourceArchive archive;
    ASSERT_TRUE(archive.Load((BinaryDir() + "/resources/ProjectResources.res").c_str()));
    ResourceArchive::Global().ShareFrom(archive);
    for (const auto& [name, b] : bitmaps_) {
        ResourceBitmap* bitmap = BitmapCache::Get(name.c_str());
        ASSERT_NE(bitmap, nullptr) << name;
        EXPECT_TRUE(bitmap->IsValid()) << name;
        EXPECT_EQ(bitmap->GetWidth(), b.w) << name;
        EXPECT_EQ(bitmap->GetHeight(), b.h) << name;
    }
    BitmapCache::Empty();
    ResourceArchive::Global().Clear();
}

TEST_F(Archive, BothPresetTextsArePackedAsTheyStand)
{
    for (const char* name : {"VelbrinCompPresets.csv", "VelbrinEQPresets.csv"}) {
        const Entry* e = Find(name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_FALSE(e->payload.empty());
        EXPECT_TRUE(texts_.count(name)) << name << " missing from the manifest";
        std::vector<uint8_t> source;
        if (!SourceDir().empty() && ReadFile(SourceDir() + "/resources/presets/" + name, &source) && !source.empty()) {
            EXPECT_EQ(e->payload, source) << name;
        }
    }
}

TEST_F(Archive, NamesMeantToStayMissingAreAbsent)
{
    for (const std::string& name : kMeantToBeMissing)
        EXPECT_EQ(Find(name), nullptr) << '"' << name << '"';
}

TEST_F(Archive, ManifestListsExactlyTheArchivedBitmapsWithTheirSizes)
{
    for (const auto& [name, m] : manifest_) {
        SCOPED_TRACE(name);
        const Bmp* b = Bitmap(name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, m.w);
        EXPECT_EQ(b->h, m.h);
        EXPECT_GE(m.frames, 1);
        EXPECT_LE(m.frame, m.pitch);
        EXPECT_EQ(m.frames * m.pitch, m.w) << "a strip is a whole number of frames";
        if (!m.mask.empty()) {
            const Bmp* mask = Bitmap(m.mask);
            ASSERT_NE(mask, nullptr) << m.mask;
            if (m.frames > 1 && mask->w < b->w) {
                EXPECT_EQ(mask->w, m.frame) << "a mask of one frame";
                EXPECT_EQ(mask->h, b->h);
            } else {
                EXPECT_EQ(mask->w, b->w);
                EXPECT_EQ(mask->h, b->h);
            }
        }
    }
    for (const auto& [name, b] : bitmaps_)
        EXPECT_TRUE(manifest_.count(name)) << name << " is archived but not in the manifest";
}

TEST_F(Archive, EveryNameTheTablesUseResolves)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i)
            for (const std::string& name : BitmapItems(t.records[i])) {
                if (kMeantToBeMissing.count(name))
                    continue;
                EXPECT_NE(Bitmap(name), nullptr) << t.name << " record " << i << " names " << name;
            }
    }
}

// What each control cuts from its bitmaps, checked on every record of every table.
TEST_F(Archive, EveryControlFindsItsBitmapsInTheGeometryItCuts)
{
    auto size = [](const std::string& name) { return Bitmap(name); };
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            const std::string cls = r.className;
            const auto it = Items(r.strings);
            const int W = r.right - r.left, H = r.bottom - r.top;
            SCOPED_TRACE(std::string(t.name) + " record " + std::to_string(i) + " " + cls);
            auto same = [&](const std::string& name, int ew, int eh) {
                const Bmp* b = size(name);
                ASSERT_NE(b, nullptr) << name;
                EXPECT_EQ(b->w, ew) << name;
                EXPECT_EQ(b->h, eh) << name;
            };
            if (cls == "flCanvas") {
                same(it[0], t.width, t.height);
            } else if (cls == "flKnob" || cls == "flKnob2" || cls == "flKnob3" || cls == "flTextKnob") {
                const Bmp *cap = size(it[0]), *capMask = size(it[1]), *track = size(it[2]), *trackMask = size(it[3]);
                ASSERT_TRUE(cap && capMask && track && trackMask);
                EXPECT_EQ(capMask->w, 19);
                EXPECT_EQ(capMask->h, cap->h);
                EXPECT_GE(cap->w, 20 * 28 + 19) << "29 cap frames at a 20-pixel pitch";
                EXPECT_LE(4 + capMask->w, W);
                EXPECT_LE(4 + capMask->h, H);
                EXPECT_EQ(trackMask->w, track->w);
                EXPECT_EQ(trackMask->h, track->h);
                EXPECT_GE(track->w, 27 * 29) << "29 track frames at a 27-pixel pitch";
                if (cls == "flKnob3" || cls == "flTextKnob")
                    same(it[5], cap->w, cap->h);
                if (cls == "flKnob2") {
                    const LayoutRecord& parent = t.records[r.parent];
                    const Bmp* image = size(Items(parent.strings)[0]);
                    ASSERT_NE(image, nullptr);
                    EXPECT_LE(r.right - parent.left, image->w);
                    EXPECT_LE(r.bottom - parent.top, image->h);
                }
                if (cls == "flTextKnob") {
                    same(it[6], 140, 35);
                    same(it[7], 140, 35);
                    EXPECT_GE(r.left - 4, 0);
                    EXPECT_LE(r.right + 4, t.width) << "label inside the backdrop";
                    EXPECT_LE(r.bottom + 18, t.height) << "label inside the backdrop";
                }
            } else if (cls == "flVSlider") {
                const Bmp* handle = size(it[0]);
                ASSERT_NE(handle, nullptr);
                same(it[1], handle->w, handle->h);
                EXPECT_LE(handle->w, W);
                EXPECT_LE(2 + 95 + handle->h, H) << "the handle stays inside at value 0";
                same(it[2], W, H);
            } else if (cls == "flHSlider") {
                const Bmp* handle = size(it[0]);
                ASSERT_NE(handle, nullptr);
                same(it[1], handle->w, handle->h);
                EXPECT_EQ(handle->h, H);
                if (!kMeantToBeMissing.count(it[2]))
                    same(it[2], W, H);
                const int travel = std::max(1, W - handle->w - 3);
                const int step = it.size() == 5 ? std::max(1, atoi(it[4].c_str())) : 1;
                const int lastX = step * ((travel + step / 2) / step);
                EXPECT_LE(lastX + 1 + handle->w, W) << "the handle at value 1 stays inside";
            } else if (cls == "flPPM" || cls == "flInvPPM") {
                same(it[0], W, H);
                if (it.size() > 2)
                    same(it[2], W, H);
            } else if (cls == "flButton" || cls == "flButton2") {
                same(it[0], W, H);
                if (it.size() == 3)
                    same(it[1], W, H);
            } else if (cls == "flPushButton" || cls == "flCopyButton" || cls == "flPasteButton") {
                const Bmp* pressed = size(it[0]);
                ASSERT_NE(pressed, nullptr);
                EXPECT_EQ(pressed->w, W);
                EXPECT_GE(pressed->h, H);
            } else if (cls == "flHPushButton") {
                same(it[0], W, H);
                same(it[1], W, H);
            } else if (cls == "flFXPushButton") {
                for (int k = 0; k < 10; ++k)
                    same(it[size_t(k)], W, H);
            } else if (cls == "flFXLed") {
                for (const std::string& name : it)
                    same(name, W, H);
            } else if (cls == "flCueMixButton" || cls == "flIpMixButton") {
                const Bmp* screen = size(it[0]);
                ASSERT_NE(screen, nullptr);
                EXPECT_GE(screen->w, 15) << "under every cross";
                EXPECT_GE(screen->h, 17);
                EXPECT_LE(5 + screen->w, W);
                EXPECT_LE(4 + screen->h, H);
                same(it[1], W, H);
            } else if (cls == "flTray") {
                same(it[0], W, H);
                same(it[1], W, H);
            } else if (cls == "flTray2") {
                if (it[1] != "0")
                    same(it[0], W, H);
            } else if (cls == "flTray3") {
                const Bmp* cover = size(it[0]);
                ASSERT_NE(cover, nullptr);
                same(it[1], cover->w, cover->h);
                EXPECT_LE(93 + cover->w, W);
                EXPECT_LE(cover->h, H);
            } else if (cls == "flTray4") {
                same(it[0], W, H);
                same(it[1], W, H);
            } else if (cls == "flExtLed") {
                same(it[0], W, H);
                const Bmp* grey = size(it[1]);
                ASSERT_NE(grey, nullptr);
                EXPECT_LE(4 + grey->w, W);
                EXPECT_LE(2 + grey->h, H);
            } else if (cls == "flRateLed") {
                same(it[0], W, H);
            } else if (cls == "flExtText") {
                same(it[0], W, H);
            } else if (cls == "flEQType") {
                const Bmp* strip = size(it[0]);
                ASSERT_NE(strip, nullptr);
                EXPECT_EQ(strip->h, H);
                EXPECT_EQ(strip->w % W, 0);
                EXPECT_GE(strip->w / W, 5) << "frames 0..4";
            } else if (cls == "Static") {
                same(it[0], 140, 35);
                same(it[1], 140, 35);
            }
        }
    }
}

TEST_F(Archive, GeneratorWritesTheSameBytesOnEveryRun)
{
    const std::string generator = BinaryDir() + "/resources/velbrin_artwork";
    ASSERT_EQ(access(generator.c_str(), X_OK), 0) << generator;
    char dir[] = "/tmp/velbrin-artwork-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    std::vector<std::vector<uint8_t>> runs;
    for (int run = 0; run < 2; ++run) {
        const std::string out = std::string(dir) + "/run" + std::to_string(run) + ".res";
        const std::string cmd = "'" + generator + "' --presets '" + SourceDir() + "/resources/presets' --archive '" + out +
                                "' 2>/dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0) << cmd;
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(ReadFile(out, &bytes));
        runs.push_back(std::move(bytes));
        remove(out.c_str());
    }
    rmdir(dir);
    EXPECT_TRUE(runs[0] == runs[1]) << "two runs differ";
    EXPECT_TRUE(runs[0] == file_) << "a fresh run differs from the built archive";
}

namespace {

// Pixel (x, y) of a decoded 24-bit BMP as 0xRRGGBB; rows are stored bottom-up.
uint32_t Pixel(const std::vector<uint8_t>& bmp, int x, int y)
{
    const int w = int(LE32(bmp, 18)), h = int(LE32(bmp, 22));
    const size_t row = (size_t(w) * 3 + 3) & ~size_t(3);
    const size_t at = 54 + row * size_t(h - 1 - y) + size_t(x) * 3;
    return (uint32_t(bmp[at + 2]) << 16) | (uint32_t(bmp[at + 1]) << 8) | bmp[at];
}

// Glyph widths as the labels' font measures them on its mask: the rightmost column with any
// non-zero byte; the blank is cell width - 2.
std::vector<int> MeasureFont(const std::vector<uint8_t>& mask)
{
    std::vector<int> widths(256, 0);
    for (int code = 32; code < 132; ++code) {
        const int g = code - 32, cx = (g % 20) * 7, cy = (g / 20) * 7;
        for (int w = 7; w >= 1 && !widths[size_t(code)]; --w)
            for (int y = 0; y < 7; ++y)
                if (Pixel(mask, cx + w - 1, cy + y) != 0) {
                    widths[size_t(code)] = w;
                    break;
                }
    }
    widths[32] = 5;
    return widths;
}

int MeasureText(const std::vector<int>& widths, const std::string& text)
{
    int w = 0;
    for (unsigned char c : text)
        if (c >= 32 && c < 132)
            w += widths[c] + 1;
    return w;
}

}  // namespace

TEST_F(Archive, EveryPrintableGlyphStartsAtItsCellsLeftEdge)
{
    const Entry* mask = Find("FontMask.bmp");
    ASSERT_NE(mask, nullptr);
    const std::vector<int> widths = MeasureFont(mask->payload);
    for (int code = 33; code < 127; ++code) {
        SCOPED_TRACE(std::string(1, char(code)));
        EXPECT_GT(widths[size_t(code)], 0) << "no ink";
        const int g = code - 32, cx = (g % 20) * 7, cy = (g / 20) * 7;
        bool leftInk = false;
        for (int y = 0; y < 7; ++y)
            leftInk = leftInk || Pixel(mask->payload, cx, cy + y) != 0;
        EXPECT_TRUE(leftInk) << "the advance counts from the cell's left edge";
    }
}

TEST_F(Archive, TableCaptionsFitTheirLabels)
{
    const Entry* mask = Find("FontMask.bmp");
    ASSERT_NE(mask, nullptr);
    const std::vector<int> widths = MeasureFont(mask->payload);
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            const auto it = Items(r.strings);
            std::string caption;
            int width = r.right - r.left;
            if (!strcmp(r.className, "Static")) {
                caption = it[4];
            } else if (!strcmp(r.className, "flTextKnob")) {
                caption = it[10];
                width += 8;
            } else {
                continue;
            }
            EXPECT_LE(MeasureText(widths, caption), width) << t.name << " record " << i << " \"" << caption << '"';
        }
    }
}
