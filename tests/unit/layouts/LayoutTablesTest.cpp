#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PAL/LayoutTables.h"
#include "PAL/WindowRecords.h"
#include "PAL/ViewLib/ViewClassInfo.h"

namespace {

std::vector<std::string> Items(const std::string& strings)
{
    std::vector<std::string> items;
    for (size_t start = 0, end = 0; !strings.empty() && end != std::string::npos; start = end + 1) {
        end = strings.find('\n', start);
        items.push_back(strings.substr(start, end == std::string::npos ? end : end - start));
    }
    return items;
}

std::vector<int> Params(const LayoutRecord& r)
{
    std::vector<int> out;
    for (int k = 0; k < kLayoutMaxParams && r.params[k] != -1; ++k)
        out.push_back(r.params[k]);
    return out;
}

std::vector<LayoutWindow> AllWindows()
{
    std::vector<LayoutWindow> all;
    for (int w = 0; w < kLayoutWindowCount; ++w)
        all.push_back(LayoutWindow(w));
    return all;
}

}  // namespace

TEST(LayoutTables, EachWindowHasItsRecordCountAndSize)
{
    const int expected[kLayoutWindowCount][3] = {{132, 640, 404}, {56, 361, 316}, {14, 389, 68}, {26, 640, 94},
                                                 {4, 300, 56},    {11, 233, 205}, {8, 319, 205}, {10, 93, 93},
                                                 {11, 280, 67},   {51, 635, 135}, {32, 510, 135}, {16, 328, 135}};
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        EXPECT_EQ((std::vector<int>{t.count, t.width, t.height}),
                  (std::vector<int>(expected[int(w)], expected[int(w)] + 3))) << t.name;
    }
}

// Every record: its index (but for the reverb window's four captions), its parent before it and a single
// root, a parameter list that -1 ends within kLayoutMaxParams entries, texts, a rectangle inside the
// window; hidden only where the main window hides stereo strips and second-slot type buttons; and no other
// window's backdrop among its arguments.
TEST(LayoutTables, EveryRecordIsWellFormed)
{
    const std::map<int, int> reverbCaptions = {{5, 6}, {6, 7}, {7, 8}, {8, 5}};
    const std::set<int> hiddenInMain = {8, 16, 24, 32, 40, 46, 52};
    std::set<std::string> backdrops;
    for (LayoutWindow w : AllWindows())
        backdrops.insert(GetLayoutTable(w).backdrop);
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        int backdropUses = 0;
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            SCOPED_TRACE(std::string(t.name) + " record " + std::to_string(i));
            const bool caption = w == LayoutWindow::Reverb && reverbCaptions.count(i);
            EXPECT_EQ(r.index, caption ? reverbCaptions.at(i) : i);
            EXPECT_TRUE(i == 0 ? r.parent == -1 : r.parent >= 0 && r.parent < i) << r.parent;
            const std::vector<int> params = Params(r);
            ASSERT_LT(params.size(), size_t(kLayoutMaxParams));
            EXPECT_TRUE(params.empty() || !caption) << "a record bound to parameters must store its position";
            for (int p : params)
                EXPECT_TRUE(p >= 0 && p < 164) << p;
            ASSERT_TRUE(r.className && r.strings && *r.className);
            EXPECT_TRUE(0 <= r.left && r.left < r.right && r.right <= t.width);
            EXPECT_TRUE(0 <= r.top && r.top < r.bottom && r.bottom <= t.height);
            EXPECT_EQ((r.hidden & 0xFF) != 0, w == LayoutWindow::Main && hiddenInMain.count(i));
            for (const std::string& item : Items(r.strings))
                if (backdrops.count(item)) {
                    EXPECT_EQ(item, t.backdrop);
                    ++backdropUses;
                }
        }
        EXPECT_GT(backdropUses, 0) << t.name;
    }
}

TEST(LayoutTables, RootsAndBackdropsFollowTheWindowKind)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        const bool mainKind = w == LayoutWindow::Main || w == LayoutWindow::Shrink || w == LayoutWindow::Tiny ||
                              w == LayoutWindow::HighRate || w == LayoutWindow::ConnectionLost;
        const LayoutRecord& root = t.records[0];
        const LayoutRecord& canvas = t.records[mainKind ? 1 : 0];
        if (mainKind) {
            EXPECT_STREQ(root.className, "Canvas");
            EXPECT_STREQ(root.strings, "");
            EXPECT_TRUE(root.right == t.width && root.bottom == t.height);
            EXPECT_EQ(canvas.parent, 0);
        }
        EXPECT_STREQ(canvas.className, "flCanvas");
        EXPECT_STREQ(canvas.strings, t.backdrop);
        EXPECT_TRUE(canvas.left == 0 && canvas.top == 0 && canvas.right == t.width && canvas.bottom == t.height);
    }
}

// Every record is of a class of the toolkit and carries the argument and binding counts that its class's
// row gives: a slip in a transcribed record shows here.
TEST(LayoutTables, EveryRecordCarriesTheArgumentsAndParametersItsClassReads)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            SCOPED_TRACE(std::string(t.name) + " record " + std::to_string(i) + " " + r.className);
            const ViewClassInfo* info = FindViewClass(r.className);
            ASSERT_NE(info, nullptr);
            EXPECT_TRUE(HasCount(info->arguments, Items(r.strings).size())) << Items(r.strings).size() << " items";
            EXPECT_TRUE(HasCount(info->parameters, Params(r).size())) << Params(r).size() << " parameters";
        }
    }
}

TEST(LayoutTables, MeterRecordsSitWhereTheMainPagesFeedThem)
{
    const std::pair<int, int> main[] = {
        {MainRecords::kAnalog1Meter, 212},     {MainRecords::kAnalog2Meter, 234},
        {MainRecords::kSpdifLeftMeter, 268},   {MainRecords::kSpdifRightMeter, 290},
        {MainRecords::kEffectInput1Meter, 14}, {MainRecords::kEffectInput2Meter, 107}};
    const std::pair<int, int> shrink[] = {
        {ShrinkRecords::kAnalog1Meter, 212},     {ShrinkRecords::kAnalog2Meter, 234},
        {ShrinkRecords::kSpdifLeftMeter, 267},   {ShrinkRecords::kSpdifRightMeter, 290},
        {ShrinkRecords::kEffectInput1Meter, 14}, {ShrinkRecords::kEffectInput2Meter, 107}};
    for (int k = 0; k < 12; ++k) {
        const LayoutTable& t = GetLayoutTable(k < 6 ? LayoutWindow::Main : LayoutWindow::Shrink);
        const auto [record, left] = k < 6 ? main[k] : shrink[k - 6];
        const LayoutRecord& r = t.records[record];
        SCOPED_TRACE(std::string(t.name) + " record " + std::to_string(record));
        EXPECT_STREQ(r.className, "flPPM");
        EXPECT_EQ((std::vector<int>{r.left, r.right, r.top, r.bottom}), (std::vector<int>{left, left + 3, 39, 135}));
        EXPECT_EQ(r.strings, "meter.bmp\n" + std::string(t.backdrop) + "\nmeterclip.bmp");
    }
}

TEST(LayoutTables, InputMixStripsRepeatEvery111PixelsWithTheirOwnParameters)
{
    const LayoutTable& t = GetLayoutTable(LayoutWindow::Main);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        for (int r = 2; r <= 9; ++r) {
            const LayoutRecord &a = t.records[r], &b = t.records[r + 8 * k];
            EXPECT_STREQ(a.className, b.className);
            EXPECT_STREQ(a.strings, b.strings);
            EXPECT_EQ((std::vector<int>{b.left - 111 * k, b.right - 111 * k, b.top}),
                      (std::vector<int>{a.left, a.right, a.top}));
            EXPECT_EQ(b.parent, std::strcmp(a.className, "flTray2") ? a.parent + 8 * k : 1);
        }
        std::vector<int> mix;
        for (int j = 0; j < 8; ++j)
            mix.push_back(104 + 8 * k + j);
        mix.insert(mix.end(), {99 + k, 14 + k, 40 + k, 45 + k});
        EXPECT_EQ(Params(t.records[7 + 8 * k]), mix);
        EXPECT_EQ(Params(t.records[9 + 8 * k]), (std::vector<int>{157 + k, 60}));
    }
    EXPECT_EQ(Params(t.records[39]), (std::vector<int>{136, 137, 138, 139, 140, 141, 142, 143, 103, 18, 44, 49}));
}

TEST(LayoutTables, ReverbSendGroupsKeepTheirIrregularSpacing)
{
    const LayoutTable& t = GetLayoutTable(LayoutWindow::Main);
    const int lefts[] = {75, 186, 297, 408, 520};
    for (int k = 0; k < 5; ++k) {
        const int tray = MainRecords::kReverbSendTrays[k], left = lefts[k];
        SCOPED_TRACE(tray);
        EXPECT_STREQ(t.records[tray].className, "flTray4");
        EXPECT_EQ(t.records[tray].left, left);
        EXPECT_EQ(Params(t.records[tray]), (std::vector<int>{45 + k, 24}));
        EXPECT_TRUE(t.records[tray + 1].parent == tray && t.records[tray + 2].parent == tray);
        EXPECT_EQ(t.records[tray + 2].left, left + 17);
    }
}

TEST(LayoutTables, ShrinkEffectSectionMatchesTheMainOne)
{
    // Same controls at the same places, in another order.
    auto section = [](LayoutWindow w, int first, int last) {
        const LayoutTable& t = GetLayoutTable(w);
        std::multiset<std::string> keys;
        for (int i = first; i <= last; ++i) {
            const LayoutRecord& r = t.records[i];
            std::string key = std::string(r.className) + " " + std::to_string(r.left) + "," + std::to_string(r.right) +
                              "," + std::to_string(r.top) + "," + std::to_string(r.bottom) + " " +
                              std::string(r.strings).substr(0, std::string(r.strings).find("Background")) + " ";
            for (int p : Params(r))
                key += std::to_string(p) + ",";
            keys.insert(key);
        }
        return keys;
    };
    EXPECT_EQ(section(LayoutWindow::Main, 42, 62), section(LayoutWindow::Shrink, 33, 53));
}

TEST(LayoutTables, StereoKnobsLiveInsideImageTraysAndClipboardTagsNameTheirWindowKind)
{
    const LayoutTable& main = GetLayoutTable(LayoutWindow::Main);
    for (int i = 0; i < main.count; ++i) {
        const LayoutRecord& r = main.records[i];
        if (std::strcmp(r.className, "flKnob2"))
            continue;
        const LayoutRecord& parent = main.records[r.parent];
        EXPECT_EQ(std::string(parent.className) + " " + parent.strings, "flTray2 OutputStereoCover.bmp\n1") << i;
        EXPECT_TRUE(parent.left <= r.left && r.right <= parent.right) << i;
        EXPECT_TRUE(parent.top <= r.top && r.bottom <= parent.bottom) << i;
    }
    const std::map<LayoutWindow, std::string> tags = {
        {LayoutWindow::CustomInputMix, "qimx"}, {LayoutWindow::CustomCueMix, "qcmx"}, {LayoutWindow::Reverb, "Qvrb"},
        {LayoutWindow::Eq, "Kteq"},             {LayoutWindow::Compressor, "qcmp"},   {LayoutWindow::AmpSim, "Ktas"},
    };
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        int buttons = 0;
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            if (!std::strcmp(r.className, "flCopyButton") || !std::strcmp(r.className, "flPasteButton")) {
                ++buttons;
                EXPECT_EQ(tags.count(w) ? tags.at(w) : "none", Items(r.strings).back()) << t.name;
            }
        }
        EXPECT_EQ(buttons, tags.count(w) ? 2 : 0) << t.name;
    }
}
