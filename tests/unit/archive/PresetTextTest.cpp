#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "CtrlPanel/effects/CompPresets.h"
#include "CtrlPanel/effects/EqPresets.h"

namespace {

std::string SourceDir()
{
    if (const char* dir = std::getenv("VELBRIN_SOURCE_DIR"))
        return dir;
    const std::string file = __FILE__;
    return file.substr(0, file.rfind("/tests/unit/archive/"));
}

std::string ReadPresetText(const char* name)
{
    std::ifstream in(SourceDir() + "/resources/presets/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

CompPresetList Comp(const std::string& text)
{
    return CompPresetList(text.data(), text.size());
}

EqPresetList Eq(const std::string& text)
{
    return EqPresetList(text.data(), text.size());
}

double Curve(float at0, float at1, float exponent, double amount)
{
    return at0 + (at1 - at0) * std::pow(amount, double(exponent));
}

// Selector positions, left to right, as the compressor and EQ windows label them.
const char* const kModels[] = {"VOCAL", "ELECTRIC GUITAR", "ACOUSTIC GUITAR", "BASS", "BRASS AND WIND",
                               "PIANO", "STRINGS", "PERCUSSION"};

struct Range {
    float min, max;
    bool Holds(double v) const { return v >= min && v <= max; }
};

const float kQMin = 0.6669999957084656f;
const Range kFreq[4] = {{40, 320}, {100, 3200}, {2000, 12000}, {6000, 18000}};
const Range kGain = {-18, 18};
const Range kQ = {kQMin, 4};

const char kSixLines[] = "One\nThreshold,0,-10,-40\nMakeup,0,2,8\nRatio,0.75\nAttack,10\nRelease,0.3\n";

const char kNineLines[] =
    "Model\n"
    "Type,Filter,Shelf,Shelf,Filter\n"
    "Freq,100,500,4000,9000\n"
    "Gain,1,-2,3,-4\n"
    "Q,0.7,1.5,2,0.9\n"
    "Caption,low cut,Body,edge,top\n"
    "Control,Freq,Gain,Q,gain\n"
    "Min,60,-6,1,7000\n"
    "Max,140,2,3,11000\n";

}  // namespace

TEST(CompPresetText, HoldsTheBuiltInPresetAndOnePerSelectorPosition)
{
    const std::string text = ReadPresetText("VelbrinCompPresets.csv");
    ASSERT_FALSE(text.empty());
    const CompPresetList list = Comp(text);
    ASSERT_EQ(list.Count(), 9u);
    EXPECT_STREQ(list.Get(0)->name, "FLAT");
    for (size_t k = 1; k < list.Count(); ++k) {
        const CompPreset& p = *list.Get(k);
        SCOPED_TRACE(p.name);
        EXPECT_STREQ(p.name, kModels[k - 1]);
        EXPECT_FALSE(p.builtIn);
        EXPECT_TRUE((Range{0.1f, 1.99f}.Holds(p.ratio)));
        EXPECT_LT(p.ratio, 1.0f);  // 1 and above are no compression ratio (infinite or negative)
        EXPECT_TRUE((Range{2, 100}.Holds(p.attack)));
        EXPECT_TRUE((Range{0.1f, 3}.Holds(p.release)));
        // Amount 0 leaves the signal alone; more Amount compresses harder with more makeup.
        EXPECT_EQ(p.thresholdAt0, 0.0f);
        EXPECT_EQ(p.makeupAt0, 0.0f);
        EXPECT_LT(p.thresholdAt1, p.thresholdAt0);
        EXPECT_GT(p.makeupAt1, p.makeupAt0);
        for (float e : {p.thresholdExponent, p.makeupExponent}) {
            EXPECT_TRUE(std::isfinite(e));
            EXPECT_GT(e, 0.25f);
            EXPECT_LT(e, 4.0f);
        }
        for (double a : {0.0, 0.25, 0.5, 0.75, 1.0}) {
            EXPECT_TRUE((Range{-50, 0}.Holds(Curve(p.thresholdAt0, p.thresholdAt1, p.thresholdExponent, a))));
            EXPECT_TRUE((Range{0, 18}.Holds(Curve(p.makeupAt0, p.makeupAt1, p.makeupExponent, a))));
        }
    }
}

TEST(EqPresetText, HoldsTheBuiltInEntryAndOnePerSelectorPosition)
{
    const std::string text = ReadPresetText("VelbrinEQPresets.csv");
    ASSERT_FALSE(text.empty());
    const EqPresetList list = Eq(text);
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
            EXPECT_TRUE(kFreq[b].Holds(band.freq));
            EXPECT_TRUE(kGain.Holds(band.gain));
            EXPECT_TRUE(kQ.Holds(band.q));
            EXPECT_GT(std::strlen(p.captions[b]), 0u);
            EXPECT_LE(std::strlen(p.captions[b]), 10u);  // fits the caption label
            ASSERT_TRUE(band.controlTarget >= 0 && band.controlTarget <= 2);
            const Range target = band.controlTarget == 0 ? kFreq[b] : band.controlTarget == 1 ? kGain : kQ;
            EXPECT_TRUE(target.Holds(band.controlMin));
            EXPECT_TRUE(target.Holds(band.controlMax));
            EXPECT_LT(band.controlMin, band.controlMax);
            // Applying a preset sets its Control knob to 0.5: the middle of the range is the preset's value.
            const float value = band.controlTarget == 0 ? band.freq : band.controlTarget == 1 ? band.gain : band.q;
            EXPECT_FLOAT_EQ((band.controlMin + band.controlMax) / 2, value);
        }
        // A filter band has no gain to move.
        if (p.lowType == 4) {
            EXPECT_NE(p.bands[0].controlTarget, 1);
        }
        if (p.highType == 3) {
            EXPECT_NE(p.bands[3].controlTarget, 1);
        }
    }
}

TEST(CompPresetList, BuiltInFlatComesFirst)
{
    const CompPresetList list(nullptr, 0);
    ASSERT_EQ(list.Count(), 1u);
    const CompPreset& flat = *list.Get(0);
    EXPECT_STREQ(flat.name, "FLAT");
    EXPECT_TRUE(flat.builtIn);
    EXPECT_FLOAT_EQ(float(Curve(flat.thresholdAt0, flat.thresholdAt1, flat.thresholdExponent, 0.5)), -15.0f);
    EXPECT_FLOAT_EQ(float(Curve(flat.makeupAt0, flat.makeupAt1, flat.makeupExponent, 0.5)), 5.0f);
    EXPECT_FLOAT_EQ(float(Curve(flat.thresholdAt0, flat.thresholdAt1, flat.thresholdExponent, 1.0)), -30.0f);
    EXPECT_EQ(flat.ratio, 0.5f);
    EXPECT_EQ(flat.attack, 15.0f);
    EXPECT_EQ(flat.release, 0.5f);
}

TEST(CompPresetList, ReadsSixLinePresetsWithCurvesThroughThreePoints)
{
    const CompPresetList list = Comp(kSixLines);
    ASSERT_EQ(list.Count(), 2u);
    const CompPreset& p = *list.Get(1);
    EXPECT_STREQ(p.name, "ONE");
    EXPECT_FLOAT_EQ(p.thresholdExponent, 2.0f);
    EXPECT_FLOAT_EQ(float(Curve(p.thresholdAt0, p.thresholdAt1, p.thresholdExponent, 0.5)), -10.0f);
    EXPECT_FLOAT_EQ(float(Curve(p.thresholdAt0, p.thresholdAt1, p.thresholdExponent, 0.75)), -22.5f);
    EXPECT_FLOAT_EQ(p.makeupExponent, 2.0f);
    EXPECT_EQ(p.makeupAt1, 8.0f);
    EXPECT_EQ(p.ratio, 0.75f);
    EXPECT_EQ(p.attack, 10.0f);
    EXPECT_EQ(p.release, 0.3f);
    EXPECT_FALSE(p.builtIn);
}

TEST(CompPresetList, LineEndingsDoNotMatter)
{
    std::string crlf, cr;
    for (char c : std::string(kSixLines)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    std::string unterminated = kSixLines;
    unterminated.pop_back();
    for (const std::string& text : {crlf, cr, unterminated, std::string("\n\n") + kSixLines + "\n\n"}) {
        const CompPresetList list = Comp(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_STREQ(list.Get(1)->name, "ONE");
        EXPECT_EQ(list.Get(1)->release, 0.3f);
    }
}

TEST(CompPresetList, ThirteenLinesMakeTwoPresetsAndTheRestIsDropped)
{
    const std::string text = std::string(kSixLines) + "Two\nT,0,-5,-20\nM,0,1,4\nR,0.6\nA,5\nR,0.2\nThree\n";
    const CompPresetList list = Comp(text);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_STREQ(list.Get(2)->name, "TWO");
}

TEST(CompPresetList, ValuesALineOmitsCarryOverFromThePreviousPreset)
{
    // "Two" gives no makeup values and only the first threshold value.
    const std::string text = std::string(kSixLines) + "Two\nThreshold,-1\nMakeup\nRatio,0.5\nAttack,3\nRelease,1\n";
    const CompPresetList list = Comp(text);
    ASSERT_EQ(list.Count(), 3u);
    const CompPreset& two = *list.Get(2);
    EXPECT_EQ(two.thresholdAt0, -1.0f);
    EXPECT_EQ(two.thresholdAt1, -40.0f);
    EXPECT_EQ(two.makeupAt1, 8.0f);
    EXPECT_EQ(two.makeupAt0, 0.0f);
}

TEST(CompPresetList, FieldsReadAsNumbersOrZero)
{
    struct Case {
        const char* field;
        float value;
    };
    const Case cases[] = {{"12", 12}, {" 5", 5}, {"+3", 3}, {"-2.5", -2.5f}, {"12dB", 12}, {"1e1", 10},
                          {".5", 0.5f}, {"abc", 0}, {"", 0}, {"inf", 0}, {"nan", 0}, {"- 4", 0}, {"+-1", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ReadPresetNumber(c.field), c.value) << '"' << c.field << '"';
        const std::string text = std::string("Pr\nT,0,-1,-2\nM,0,1,2\nRatio,") + c.field + "\nA,5\nR,1\n";
        const CompPresetList list = Comp(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.Get(1)->ratio, c.value) << '"' << c.field << '"';
    }
}

TEST(CompPresetList, NamesAreUpperCaseAndCut)
{
    const std::string text = "mixed Case 2-b!, ignored\nTh\nMk\nRa\nAt\nRe\n" + std::string(40, 'n') +
                             "\nTh\nMk\nRa\nAt\nRe\n";
    const CompPresetList list = Comp(text);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_STREQ(list.Get(1)->name, "MIXED CASE 2-B!");
    EXPECT_EQ(std::string(list.Get(2)->name), std::string(31, 'N'));
}

TEST(CompPresetList, ShortLinesAreSkippedAndTheLastOfManyFieldsCounts)
{
    const std::string text = "One\nx\nThreshold,0,-10,-40,-45\nMakeup,0,2,8\n\r\nRatio,0.75\nAttack,10\nRelease,0.3\n";
    const CompPresetList list = Comp(text);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Get(1)->thresholdAt1, -45.0f);
    EXPECT_EQ(list.Get(1)->release, 0.3f);
}

TEST(CompPresetList, CurvesWithoutAMiddleBetweenTheEndsAreStraight)
{
    const char* lines[] = {"T,0,0,0", "T,0,-30,-20", "T,0,5,-20", "T,-10,-10,-20"};
    for (const char* line : lines) {
        const std::string text = std::string("Pr\n") + line + "\nM,0,1,2\nR,0.5\nA,5\nR,1\n";
        const CompPresetList list = Comp(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_EQ(list.Get(1)->thresholdExponent, 1.0f) << line;
    }
}

TEST(EqPresetList, BuiltInEntryComesFirst)
{
    const EqPresetList list(nullptr, 0);
    ASSERT_EQ(list.Count(), 1u);
    const EqPreset& p = *list.Get(0);
    EXPECT_STREQ(p.name, "MISSING CSV");
    EXPECT_EQ(p.lowType, 0);
    EXPECT_EQ(p.highType, 0);
    const char* captions[] = {"LOW", "MID 1", "MID 2", "HIGH"};
    const float freqs[] = {100, 500, 5000, 15000};
    for (int b = 0; b < 4; ++b) {
        const EqPresetBand& band = p.bands[b];
        EXPECT_STREQ(p.captions[b], captions[b]);
        EXPECT_EQ(band.freq, freqs[b]);
        EXPECT_EQ(band.gain, 0.0f);
        EXPECT_EQ(band.q, 1.0f);
        EXPECT_EQ(band.controlTarget, 1);
        EXPECT_EQ(band.controlMin, -18.0f);
        EXPECT_EQ(band.controlMax, 18.0f);
        EXPECT_EQ(band.savedFreqDefault, 0.0f);
        EXPECT_EQ((std::vector<int32_t>{band.freqParam, band.gainParam, band.qParam, band.controlParam}),
                  (std::vector<int32_t>{9 + 3 * b, 10 + 3 * b, 11 + 3 * b, 2 + b}));
    }
}

TEST(EqPresetList, ReadsNineLinePresets)
{
    const EqPresetList list = Eq(kNineLines);
    ASSERT_EQ(list.Count(), 2u);
    const EqPreset& p = *list.Get(1);
    EXPECT_STREQ(p.name, "MODEL");
    EXPECT_EQ(p.lowType, 4);   // "Filter" in the LF column: high-pass
    EXPECT_EQ(p.highType, 3);  // in the HF column: low-pass
    EXPECT_EQ(p.bands[1].freq, 500.0f);
    EXPECT_EQ(p.bands[3].gain, -4.0f);
    EXPECT_EQ(p.bands[0].q, 0.7f);
    EXPECT_STREQ(p.captions[0], "LOW CUT");
    EXPECT_STREQ(p.captions[1], "BODY");
    EXPECT_EQ((std::vector<int32_t>{p.bands[0].controlTarget, p.bands[1].controlTarget, p.bands[2].controlTarget,
                                    p.bands[3].controlTarget}),
              (std::vector<int32_t>{0, 1, 2, 0}));  // "gain" in lower case is no keyword
    EXPECT_EQ(p.bands[3].controlMin, 7000.0f);
    EXPECT_EQ(p.bands[3].controlMax, 11000.0f);
    EXPECT_EQ(p.bands[2].qParam, 17);
}

TEST(EqPresetList, TypeKeywordsAreExact)
{
    struct Case {
        const char* low;
        const char* high;
        int32_t lowType, highType;
    };
    const Case cases[] = {{"Shelf", "Shelf", 2, 1}, {"Filter", "Filter", 4, 3}, {"shelf", "FILTER", 0, 0},
                          {"Bell", "Shelf ", 0, 0}, {"", "", 0, 0}};
    for (const Case& c : cases) {
        std::string text = kNineLines;
        const std::string line = std::string("Type,") + c.low + ",x,x," + c.high;
        text.replace(text.find("Type,Filter,Shelf,Shelf,Filter"), 30, line);
        const EqPresetList list = Eq(text);
        ASSERT_EQ(list.Count(), 2u) << line;
        EXPECT_EQ(list.Get(1)->lowType, c.lowType) << line;
        EXPECT_EQ(list.Get(1)->highType, c.highType) << line;
    }
}

TEST(EqPresetList, LineEndingsAndTheLastLineEndDoNotMatter)
{
    std::string crlf, cr;
    for (char c : std::string(kNineLines)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        cr += c == '\n' ? '\r' : c;
    }
    std::string unterminated = kNineLines;
    unterminated.pop_back();
    for (const std::string& text : {crlf, cr, unterminated, std::string("\n\nab\n") + kNineLines}) {
        const EqPresetList list = Eq(text);
        ASSERT_EQ(list.Count(), 2u);
        EXPECT_STREQ(list.Get(1)->name, "MODEL");
        EXPECT_EQ(list.Get(1)->bands[3].controlMax, 11000.0f);
    }
}

TEST(EqPresetList, ATenthLineStartsTheNextPresetAndAnIncompleteOneIsDropped)
{
    const std::string text = std::string(kNineLines) + "second model,x\nType,Shelf\n";
    const EqPresetList list = Eq(text);
    EXPECT_EQ(list.Count(), 2u);
    const std::string twice = std::string(kNineLines) + "Second Model,x\n" + (strchr(kNineLines, '\n') + 1);
    const EqPresetList two = Eq(twice);
    ASSERT_EQ(two.Count(), 3u);
    EXPECT_STREQ(two.Get(2)->name, "SECOND MODEL");
    EXPECT_EQ(two.Get(2)->bands[2].gain, 3.0f);
}

TEST(EqPresetList, ExtraFieldsAreIgnoredAndLongTextsCut)
{
    std::string text = kNineLines;
    text.replace(text.find("Gain,1,-2,3,-4"), 14, "Gain,1,-2,3,-4,99,98");
    text.replace(text.find("Caption,low cut"), 15, "Caption," + std::string(40, 'c'));
    const EqPresetList list = Eq(text);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.Get(1)->bands[3].gain, -4.0f);
    EXPECT_EQ(std::string(list.Get(1)->captions[0]), std::string(31, 'C'));
}
