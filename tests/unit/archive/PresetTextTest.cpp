#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "CtrlPanel/effects/CompPresets.h"
#include "CtrlPanel/effects/EqPresets.h"

namespace {

std::string ReadPresetText(const char* name)
{
    const std::string file = __FILE__;
    const char* dir = std::getenv("VELBRIN_SOURCE_DIR");
    std::ifstream in((dir ? dir : file.substr(0, file.rfind("/tests/"))) + "/resources/presets/" + name);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

template <class List>
List Read(const std::string& text)
{
    return List(text.data(), text.size());
}

struct Range {
    float min, max;
    bool Holds(double v) const { return v >= min && v <= max; }
};

// Selector positions, left to right, as the compressor and EQ windows label them.
const char* const kModels[] = {"VOCAL", "ELECTRIC GUITAR", "ACOUSTIC GUITAR", "BASS", "BRASS AND WIND",
                               "PIANO", "STRINGS", "PERCUSSION"};
const Range kFreq[4] = {{40, 320}, {100, 3200}, {2000, 12000}, {6000, 18000}};
const Range kGain = {-18, 18}, kQ = {0.6669999957084656f, 4};

const char kSixLines[] = "One\nThreshold,0,-10,-40\nMakeup,0,2,8\nRatio,0.75\nAttack,10\nRelease,0.3\n";
const char kNineLines[] = "Model\nType,Filter,Shelf,Shelf,Filter\nFreq,100,500,4000,9000\nGain,1,-2,3,-4\n"
                          "Q,0.7,1.5,2,0.9\nCaption,low cut,Body,edge,top\nControl,Freq,Gain,Q,gain\n"
                          "Min,60,-6,1,7000\nMax,140,2,3,11000\n";

}  // namespace

TEST(CompPresetText, HoldsTheBuiltInPresetAndOnePerSelectorPosition)
{
    const auto list = Read<CompPresetList>(ReadPresetText("VelbrinCompPresets.csv"));
    ASSERT_EQ(list.Count(), 9u);
    EXPECT_STREQ(list.Get(0)->name, "FLAT");
    for (size_t k = 1; k < list.Count(); ++k) {
        const CompPreset& p = *list.Get(k);
        SCOPED_TRACE(p.name);
        EXPECT_STREQ(p.name, kModels[k - 1]);
        EXPECT_TRUE((Range{0.1f, 0.99f}.Holds(p.ratio)));  // 1 and above are no compression ratio
        EXPECT_TRUE((Range{2, 100}.Holds(p.attack)) && (Range{0.1f, 3}.Holds(p.release)));
        // Amount 0 leaves the signal alone; more Amount compresses harder with more makeup.
        EXPECT_TRUE(p.thresholdAt0 == 0 && p.makeupAt0 == 0);
        EXPECT_TRUE((Range{-50, -1}.Holds(p.thresholdAt1)) && (Range{1, 18}.Holds(p.makeupAt1)));
        EXPECT_TRUE((Range{0.25f, 4}.Holds(p.thresholdExponent)) && (Range{0.25f, 4}.Holds(p.makeupExponent)));
    }
}

TEST(EqPresetText, HoldsTheBuiltInEntryAndOnePerSelectorPosition)
{
    const auto list = Read<EqPresetList>(ReadPresetText("VelbrinEQPresets.csv"));
    ASSERT_EQ(list.Count(), 9u);
    EXPECT_STREQ(list.Get(0)->name, "MISSING CSV");
    for (size_t k = 1; k < list.Count(); ++k) {
        const EqPreset& p = *list.Get(k);
        SCOPED_TRACE(p.name);
        EXPECT_STREQ(p.name, kModels[k - 1]);
        EXPECT_TRUE(p.lowType == 0 || p.lowType == 2 || p.lowType == 4);
        EXPECT_TRUE(p.highType == 0 || p.highType == 1 || p.highType == 3);
        for (int b = 0; b < 4; ++b) {
            const EqPresetBand& band = p.bands[b];
            SCOPED_TRACE(b);
            EXPECT_TRUE(kFreq[b].Holds(band.freq) && kGain.Holds(band.gain) && kQ.Holds(band.q));
            EXPECT_TRUE(std::strlen(p.captions[b]) > 0 && std::strlen(p.captions[b]) <= 10);  // fits the label
            ASSERT_TRUE(band.controlTarget >= 0 && band.controlTarget <= 2);
            const Range target = band.controlTarget == 0 ? kFreq[b] : band.controlTarget == 1 ? kGain : kQ;
            EXPECT_TRUE(target.Holds(band.controlMin) && target.Holds(band.controlMax));
            EXPECT_LT(band.controlMin, band.controlMax);
            // Applying a preset sets its Control knob to 0.5: the middle of the range is the preset's value.
            const float value = band.controlTarget == 0 ? band.freq : band.controlTarget == 1 ? band.gain : band.q;
            EXPECT_FLOAT_EQ((band.controlMin + band.controlMax) / 2, value);
        }
        // A filter band has no gain to move.
        EXPECT_FALSE(p.lowType == 4 && p.bands[0].controlTarget == 1);
        EXPECT_FALSE(p.highType == 3 && p.bands[3].controlTarget == 1);
    }
}

TEST(CompPresetList, ReadsSixLinePresetsAfterTheBuiltInFlat)
{
    EXPECT_EQ(CompPresetList(nullptr, 0).Count(), 1u);
    // "Two" gives one threshold value and no makeup values, the rest carries over; "Three" is incomplete.
    const auto list = Read<CompPresetList>(std::string(kSixLines) +
                                           "Two\nThreshold,-1\nMakeup\nRatio,0.5\nAttack,3\nRelease,1\nThree\n");
    ASSERT_EQ(list.Count(), 3u);
    const CompPreset &flat = *list.Get(0), &one = *list.Get(1), &two = *list.Get(2);
    EXPECT_TRUE(flat.builtIn && !one.builtIn);
    EXPECT_FLOAT_EQ(flat.thresholdExponent, 1.0f);  // through -15 at Amount 0.5
    EXPECT_EQ((std::vector<float>{flat.thresholdAt1, flat.ratio, flat.attack, flat.release}),
              (std::vector<float>{-30, 0.5f, 15, 0.5f}));
    EXPECT_STREQ(one.name, "ONE");
    EXPECT_FLOAT_EQ(one.thresholdExponent, 2.0f);  // through -10 at Amount 0.5
    EXPECT_FLOAT_EQ(one.makeupExponent, 2.0f);
    EXPECT_EQ((std::vector<float>{one.makeupAt1, one.ratio, one.attack, one.release}),
              (std::vector<float>{8, 0.75f, 10, 0.3f}));
    EXPECT_EQ((std::vector<float>{two.thresholdAt0, two.thresholdAt1, two.makeupAt0, two.makeupAt1}),
              (std::vector<float>{-1, -40, 0, 8}));
}

TEST(CompPresetList, CutsNamesSkipsShortLinesTakesTheLastOfManyValuesAndStraightensCurves)
{
    // "x" and the empty line are skipped. Without a middle value strictly between the ends, a curve is the
    // straight line.
    std::string text = std::string(40, 'n') + ",x\nx\nThreshold,0,-10,-40,-45\nMk\n\r\nRa\nAt\nRe\n";
    for (const char* threshold : {"T,0,5,-20", "T,-10,-10,-20", "T,0,-30,-20"})
        text += std::string("Pr\n") + threshold + "\nMk\nRa\nAt\nRe\n";
    const auto list = Read<CompPresetList>(text);
    ASSERT_EQ(list.Count(), 5u);
    EXPECT_EQ(std::string(list.Get(1)->name), std::string(31, 'N'));
    EXPECT_EQ(list.Get(1)->thresholdAt1, -45.0f);
    for (size_t k = 2; k < 5; ++k)
        EXPECT_EQ(list.Get(k)->thresholdExponent, 1.0f) << k;
}

TEST(PresetNumbers, ReadLikeScanfOrZero)
{
    const std::pair<const char*, float> cases[] = {{" 5", 5}, {"+3", 3}, {"-2.5", -2.5f}, {"12dB", 12}, {".5", 0.5f},
                                                   {"1e1", 10}, {"abc", 0}, {"inf", 0}, {"nan", 0}, {"+-1", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadPresetNumber(c.first), c.second) << '"' << c.first << '"';
}

TEST(PresetLists, BothReadersTakeAnyLineEnding)
{
    // "\r\n" ends, "\r" ends, no last line end, and blank and short lines around the text.
    auto variants = [](std::string text, const char* shortLine) {
        std::string crlf, cr;
        for (char c : text) {
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            cr += c == '\n' ? '\r' : c;
        }
        return std::vector<std::string>{crlf, cr, text.substr(0, text.size() - 1),
                                        "\n" + (shortLine + text) + "\n\n"};
    };
    for (const std::string& text : variants(kSixLines, "x\n")) {
        const auto list = Read<CompPresetList>(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.Get(1)->release, 0.3f);
    }
    for (const std::string& text : variants(kNineLines, "abc\n")) {
        const auto list = Read<EqPresetList>(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.Get(1)->bands[3].controlMax, 11000.0f);
    }
}

TEST(EqPresetList, ReadsNinePresetLinesAfterTheBuiltInEntry)
{
    EXPECT_EQ(EqPresetList(nullptr, 0).Count(), 1u);
    const auto list = Read<EqPresetList>(kNineLines);
    ASSERT_EQ(list.Count(), 2u);
    const EqPreset& p = *list.Get(1);
    EXPECT_STREQ(p.name, "MODEL");
    EXPECT_EQ(p.lowType, 4);   // "Filter" in the LF column: high-pass
    EXPECT_EQ(p.highType, 3);  // in the HF column: low-pass
    EXPECT_EQ((std::vector<float>{p.bands[1].freq, p.bands[3].gain, p.bands[0].q, p.bands[3].controlMin}),
              (std::vector<float>{500, -4, 0.7f, 7000}));
    EXPECT_STREQ(p.captions[0], "LOW CUT");
    for (int b = 0; b < 4; ++b) {
        const EqPresetBand& band = p.bands[b];
        EXPECT_EQ(band.controlTarget, (std::vector<int32_t>{0, 1, 2, 0})[size_t(b)]);  // "gain": no keyword
        EXPECT_EQ((std::vector<int32_t>{band.freqParam, band.gainParam, band.qParam, band.controlParam}),
                  (std::vector<int32_t>{9 + 3 * b, 10 + 3 * b, 11 + 3 * b, 2 + b}));
    }
}

TEST(EqPresetList, TypeKeywordsAreExact)
{
    for (const auto& [types, low, high] : {std::tuple<const char*, int, int>{"Shelf,x,x,Shelf", 2, 1},
                                           {"shelf,x,x,FILTER", 0, 0}, {"Filter ,x,x,Shelf ", 0, 0}}) {
        std::string text = kNineLines;
        text.replace(text.find("Filter,Shelf,Shelf,Filter"), 25, types);
        const auto list = Read<EqPresetList>(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.Get(1)->lowType, low) << types;
        EXPECT_EQ(list.Get(1)->highType, high) << types;
    }
}

TEST(EqPresetList, ATenthLineStartsAnotherPresetAndFieldsAndTextsAreCut)
{
    // A second preset with an extra gain field and a long caption, then an incomplete one.
    std::string second = std::strchr(kNineLines, '\n') + 1;
    second.replace(second.find("Gain,1,-2,3,-4"), 14, "Gain,1,-2,3,-4,99");
    second.replace(second.find("low cut"), 7, std::string(40, 'c'));
    const auto list =
        Read<EqPresetList>(std::string(kNineLines) + "Second Model,x\n" + second + "Third\nType,Shelf\n");
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_STREQ(list.Get(2)->name, "SECOND MODEL");
    EXPECT_EQ(list.Get(2)->bands[3].gain, -4.0f);
    EXPECT_EQ(std::string(list.Get(2)->captions[0]), std::string(31, 'C'));
}
