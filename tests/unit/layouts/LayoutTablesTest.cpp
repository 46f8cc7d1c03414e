#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "PAL/LayoutTables.h"

namespace {

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

bool IsMainWindow(LayoutWindow w)
{
    return w == LayoutWindow::Main || w == LayoutWindow::Shrink || w == LayoutWindow::Tiny ||
           w == LayoutWindow::HighRate || w == LayoutWindow::ConnectionLost;
}

struct Expected {
    LayoutWindow window;
    int count, width, height;
    const char* backdrop;
};

const Expected kExpected[] = {
    {LayoutWindow::Main, 132, 640, 404, "Background.bmp"},
    {LayoutWindow::Shrink, 56, 361, 316, "BackgroundShrink.bmp"},
    {LayoutWindow::Tiny, 14, 389, 68, "BackgroundTiny.bmp"},
    {LayoutWindow::HighRate, 26, 640, 94, "Background192k.bmp"},
    {LayoutWindow::ConnectionLost, 4, 300, 56, "ConnectionLost.bmp"},
    {LayoutWindow::CustomInputMix, 11, 233, 205, "CustomInputBackground.bmp"},
    {LayoutWindow::CustomCueMix, 8, 319, 205, "CustomCuemixBackground.bmp"},
    {LayoutWindow::SampleRate, 10, 93, 93, "SampleRate.bmp"},
    {LayoutWindow::Reverb, 11, 280, 67, "ReverbStereoBackground.bmp"},
    {LayoutWindow::Eq, 51, 635, 135, "EqBackground.bmp"},
    {LayoutWindow::Compressor, 32, 510, 135, "CompBackground.bmp"},
    {LayoutWindow::AmpSim, 16, 328, 135, "AmpBackground.bmp"},
};

}  // namespace

TEST(LayoutTables, EachWindowHasItsRecordCountSizeAndBackdrop)
{
    int total = 0;
    for (const Expected& e : kExpected) {
        const LayoutTable& t = GetLayoutTable(e.window);
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.count, e.count);
        EXPECT_EQ(t.width, e.width);
        EXPECT_EQ(t.height, e.height);
        EXPECT_STREQ(t.backdrop, e.backdrop);
        total += t.count;
    }
    EXPECT_EQ(total, 371);
}

TEST(LayoutTables, RecordZeroIsTheOnlyRootAndParentsComeFirst)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        EXPECT_EQ(t.records[0].parent, -1);
        for (int i = 1; i < t.count; ++i) {
            EXPECT_GE(t.records[i].parent, 0) << "record " << i;
            EXPECT_LT(t.records[i].parent, i) << "record " << i;
        }
    }
}

TEST(LayoutTables, RecordsStoreTheirPositionExceptTheFourReverbCaptions)
{
    const std::map<int, int> reverbCaptions = {{5, 6}, {6, 7}, {7, 8}, {8, 5}};
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            if (w == LayoutWindow::Reverb && reverbCaptions.count(i)) {
                EXPECT_EQ(r.index, reverbCaptions.at(i));
                EXPECT_STREQ(r.className, "Static");
                EXPECT_TRUE(Params(r).empty()) << "a record bound to parameters must store its position";
            } else {
                EXPECT_EQ(r.index, i);
            }
        }
    }
}

TEST(LayoutTables, ParameterListsEndWithMinusOneAndHoldValidIndices)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            int end = -1;
            for (int k = 0; k < kLayoutMaxParams; ++k)
                if (r.params[k] == -1) {
                    end = k;
                    break;
                }
            ASSERT_GE(end, 0) << "record " << i << " has no -1";
            EXPECT_LE(end, 255);
            for (int k = 0; k < end; ++k) {
                EXPECT_GE(r.params[k], 0) << "record " << i;
                EXPECT_LT(r.params[k], 164) << "record " << i;
            }
        }
    }
}

TEST(LayoutTables, TextsAreNeverNullAndRectanglesLieInTheWindow)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            ASSERT_NE(r.className, nullptr);
            ASSERT_NE(r.strings, nullptr);
            EXPECT_GT(strlen(r.className), 0u);
            EXPECT_LT(r.left, r.right) << "record " << i;
            EXPECT_LT(r.top, r.bottom) << "record " << i;
            EXPECT_GE(r.left, 0) << "record " << i;
            EXPECT_GE(r.top, 0) << "record " << i;
            EXPECT_LE(r.right, t.width) << "record " << i;
            EXPECT_LE(r.bottom, t.height) << "record " << i;
        }
    }
}

TEST(LayoutTables, RootsAndBackdropsFollowTheWindowKind)
{
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        const LayoutRecord& canvas = t.records[IsMainWindow(w) ? 1 : 0];
        if (IsMainWindow(w)) {
            const LayoutRecord& root = t.records[0];
            EXPECT_STREQ(root.className, "Canvas");
            EXPECT_STREQ(root.strings, "");
            EXPECT_EQ(root.right, t.width);
            EXPECT_EQ(root.bottom, t.height);
            EXPECT_EQ(canvas.parent, 0);
        }
        EXPECT_STREQ(canvas.className, "flCanvas");
        EXPECT_STREQ(canvas.strings, t.backdrop);
        EXPECT_EQ(canvas.left, 0);
        EXPECT_EQ(canvas.top, 0);
        EXPECT_EQ(canvas.right, t.width);
        EXPECT_EQ(canvas.bottom, t.height);
    }
}

TEST(LayoutTables, EveryBackdropArgumentIsTheWindowsOwn)
{
    std::set<std::string> backdrops;
    for (LayoutWindow w : AllWindows())
        backdrops.insert(GetLayoutTable(w).backdrop);
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        SCOPED_TRACE(t.name);
        int uses = 0;
        for (int i = 0; i < t.count; ++i)
            for (const std::string& item : Items(t.records[i].strings))
                if (backdrops.count(item)) {
                    EXPECT_EQ(item, t.backdrop) << "record " << i;
                    ++uses;
                }
        EXPECT_GT(uses, 0);
    }
}

TEST(LayoutTables, OnlyTheStereoStripsAndSecondSlotTypeButtonsStartHidden)
{
    const std::set<int> hidden = {8, 16, 24, 32, 40, 46, 52};
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i) {
            const bool expected = w == LayoutWindow::Main && hidden.count(i);
            EXPECT_EQ((t.records[i].hidden & 0xFF) != 0, expected) << t.name << " record " << i;
        }
    }
}

TEST(LayoutTables, ClassesOccurAsOftenAsTheRegistryExpects)
{
    const std::map<std::string, int> expected = {
        {"flButton", 86},      {"flButton2", 6},      {"flPushButton", 24},  {"flHPushButton", 8},
        {"flFXPushButton", 8}, {"flLogoButton", 4},   {"flCueMixButton", 8}, {"flIpMixButton", 5},
        {"flCopyButton", 6},   {"flPasteButton", 6},  {"flTray", 4},         {"flTray2", 10},
        {"flTray3", 2},        {"flTray4", 14},       {"flExtText", 1},      {"flCanvas", 12},
        {"flEQType", 2},       {"flKnob", 20},        {"flKnob2", 5},        {"flKnob3", 14},
        {"flTextKnob", 21},    {"flHSlider", 14},     {"flVSlider", 19},     {"flPPM", 17},
        {"flInvPPM", 1},       {"flExtLed", 1},       {"flFXLed", 4},        {"flRateLed", 5},
        {"Canvas", 5},         {"Static", 39},
    };
    std::map<std::string, int> counted;
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i)
            ++counted[t.records[i].className];
    }
    EXPECT_EQ(counted, expected);
}

// Argument and binding counts each class reads; a slip in a transcribed record shows here.
TEST(LayoutTables, ArgumentAndParameterCountsFitEachClass)
{
    struct Shape {
        std::set<size_t> items;
        std::set<size_t> params;
    };
    const std::map<std::string, Shape> shapes = {
        {"Canvas", {{0}, {0}}},
        {"flCanvas", {{1}, {0}}},
        {"Static", {{5}, {0}}},
        {"flButton", {{2, 3}, {1}}},
        {"flButton2", {{3}, {1}}},
        {"flPushButton", {{2}, {1}}},
        {"flHPushButton", {{3}, {2}}},
        {"flFXPushButton", {{11}, {3}}},
        {"flLogoButton", {{0}, {1}}},
        {"flCueMixButton", {{3}, {12}}},
        {"flIpMixButton", {{3}, {12}}},
        {"flCopyButton", {{3}, {0}}},
        {"flPasteButton", {{3}, {0}}},
        {"flTray", {{2}, {1}}},
        {"flTray2", {{2}, {1}}},
        {"flTray3", {{3}, {1}}},
        {"flTray4", {{3, 4, 7}, {1, 2}}},
        {"flExtText", {{2}, {1}}},
        {"flEQType", {{1}, {0}}},
        {"flKnob", {{5}, {1}}},
        {"flKnob2", {{4}, {2}}},
        {"flKnob3", {{6}, {2}}},
        {"flTextKnob", {{11}, {1}}},
        {"flHSlider", {{4, 5}, {1}}},
        {"flVSlider", {{4}, {1}}},
        {"flPPM", {{3}, {0}}},
        {"flInvPPM", {{2}, {0}}},
        {"flExtLed", {{3}, {1}}},
        {"flRateLed", {{4}, {2}}},
        {"flFXLed", {{4}, {2}}},
    };
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            SCOPED_TRACE(std::string(t.name) + " record " + std::to_string(i) + " " + r.className);
            auto shape = shapes.find(r.className);
            ASSERT_NE(shape, shapes.end());
            EXPECT_TRUE(shape->second.items.count(Items(r.strings).size())) << Items(r.strings).size() << " items";
            EXPECT_TRUE(shape->second.params.count(Params(r).size())) << Params(r).size() << " parameters";
        }
    }
}

TEST(LayoutTables, MeterRecordsSitWhereTheMainPagesFeedThem)
{
    struct Meter {
        LayoutWindow w;
        int record, left;
    };
    const Meter meters[] = {
        {LayoutWindow::Main, 124, 212},  {LayoutWindow::Main, 125, 234},  {LayoutWindow::Main, 126, 268},
        {LayoutWindow::Main, 127, 290},  {LayoutWindow::Main, 123, 14},   {LayoutWindow::Main, 62, 107},
        {LayoutWindow::Shrink, 27, 212}, {LayoutWindow::Shrink, 28, 234}, {LayoutWindow::Shrink, 30, 267},
        {LayoutWindow::Shrink, 31, 290}, {LayoutWindow::Shrink, 32, 14},  {LayoutWindow::Shrink, 53, 107},
    };
    for (const Meter& m : meters) {
        const LayoutRecord& r = GetLayoutTable(m.w).records[m.record];
        SCOPED_TRACE(m.record);
        EXPECT_STREQ(r.className, "flPPM");
        EXPECT_EQ(r.left, m.left);
        EXPECT_EQ(r.right - r.left, 3);
        EXPECT_EQ(r.top, 39);
        EXPECT_EQ(r.bottom, 135);
        EXPECT_STREQ(r.strings, m.w == LayoutWindow::Main ? "meter.bmp\nBackground.bmp\nmeterclip.bmp"
                                                           : "meter.bmp\nBackgroundShrink.bmp\nmeterclip.bmp");
    }
}

TEST(LayoutTables, InputMixStripsRepeatEvery111PixelsWithTheirOwnParameters)
{
    const LayoutTable& t = GetLayoutTable(LayoutWindow::Main);
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        for (int r = 2; r <= 9; ++r) {
            const LayoutRecord& a = t.records[r];
            const LayoutRecord& b = t.records[r + 8 * k];
            EXPECT_STREQ(a.className, b.className);
            EXPECT_EQ(b.left, a.left + 111 * k);
            EXPECT_EQ(b.right, a.right + 111 * k);
            EXPECT_EQ(b.top, a.top);
            EXPECT_STREQ(a.strings, b.strings);
            const bool tray = !strcmp(a.className, "flTray2");
            EXPECT_EQ(b.parent, tray ? 1 : a.parent + 8 * k);
        }
        std::vector<int> ip;
        for (int j = 0; j < 8; ++j)
            ip.push_back(104 + 8 * k + j);
        for (int p : {99 + k, 14 + k, 40 + k, 45 + k})
            ip.push_back(p);
        EXPECT_EQ(Params(t.records[7 + 8 * k]), ip);
        EXPECT_EQ(Params(t.records[9 + 8 * k]), (std::vector<int>{157 + k, 60}));
    }
    EXPECT_EQ(Params(t.records[39]), (std::vector<int>{136, 137, 138, 139, 140, 141, 142, 143, 103, 18, 44, 49}));
}

TEST(LayoutTables, ReverbSendGroupsKeepTheirIrregularSpacing)
{
    const LayoutTable& t = GetLayoutTable(LayoutWindow::Main);
    const int trays[] = {63, 66, 128, 69, 72};
    const int lefts[] = {75, 186, 297, 408, 520};
    for (int k = 0; k < 5; ++k) {
        const LayoutRecord& tray = t.records[trays[k]];
        SCOPED_TRACE(k);
        EXPECT_STREQ(tray.className, "flTray4");
        EXPECT_EQ(tray.left, lefts[k]);
        EXPECT_EQ(Params(tray), (std::vector<int>{45 + k, 24}));
        EXPECT_EQ(t.records[trays[k] + 1].parent, trays[k]);
        EXPECT_EQ(t.records[trays[k] + 2].parent, trays[k]);
        EXPECT_EQ(t.records[trays[k] + 2].left, lefts[k] + 17);
    }
    EXPECT_EQ(t.records[72].left - t.records[69].left, 112);
}

TEST(LayoutTables, ShrinkEffectSectionMatchesTheMainOne)
{
    // Same controls at the same places, in another order.
    const LayoutTable& main = GetLayoutTable(LayoutWindow::Main);
    const LayoutTable& shrink = GetLayoutTable(LayoutWindow::Shrink);
    std::multiset<std::string> a, b;
    auto key = [](const LayoutRecord& r) {
        std::string k = std::string(r.className) + " " + std::to_string(r.left) + "," + std::to_string(r.right) + "," +
                        std::to_string(r.top) + "," + std::to_string(r.bottom) + " " +
                        std::string(r.strings).substr(0, std::string(r.strings).find("Background")) + " ";
        for (int p : Params(r))
            k += std::to_string(p) + ",";
        return k;
    };
    for (int i = 42; i <= 62; ++i)
        a.insert(key(main.records[i]));
    for (int i = 33; i <= 53; ++i)
        b.insert(key(shrink.records[i]));
    EXPECT_EQ(a, b);
}

TEST(LayoutTables, StereoKnobsLiveInsideImageTrays)
{
    const LayoutTable& t = GetLayoutTable(LayoutWindow::Main);
    int knobs = 0;
    for (int i = 0; i < t.count; ++i) {
        if (strcmp(t.records[i].className, "flKnob2"))
            continue;
        ++knobs;
        const LayoutRecord& parent = t.records[t.records[i].parent];
        EXPECT_STREQ(parent.className, "flTray2");
        EXPECT_EQ(Items(parent.strings), (std::vector<std::string>{"OutputStereoCover.bmp", "1"}));
        EXPECT_GE(t.records[i].left, parent.left);
        EXPECT_LE(t.records[i].right, parent.right);
        EXPECT_GE(t.records[i].top, parent.top);
        EXPECT_LE(t.records[i].bottom, parent.bottom);
    }
    EXPECT_EQ(knobs, 5);
}

TEST(LayoutTables, ClipboardTagsNameTheirWindowKind)
{
    const std::map<LayoutWindow, std::string> tags = {
        {LayoutWindow::CustomInputMix, "qimx"}, {LayoutWindow::CustomCueMix, "qcmx"}, {LayoutWindow::Reverb, "Qvrb"},
        {LayoutWindow::Eq, "Kteq"},             {LayoutWindow::Compressor, "qcmp"},   {LayoutWindow::AmpSim, "Ktas"},
    };
    for (LayoutWindow w : AllWindows()) {
        const LayoutTable& t = GetLayoutTable(w);
        int buttons = 0;
        for (int i = 0; i < t.count; ++i) {
            const LayoutRecord& r = t.records[i];
            if (strcmp(r.className, "flCopyButton") && strcmp(r.className, "flPasteButton"))
                continue;
            ++buttons;
            ASSERT_TRUE(tags.count(w)) << t.name;
            EXPECT_EQ(Items(r.strings).back(), tags.at(w)) << t.name;
        }
        EXPECT_EQ(buttons, tags.count(w) ? 2 : 0) << t.name;
    }
}
