#include <gtest/gtest.h>

#include "PAL/ParseEngineeringNumber.h"
#include "PAL/Parameter.h"
#include "ParamTestSupport.h"

#include <cfloat>
#include <string>

namespace {

// Label of a plain value for a linear parameter of the unit kind whose range holds the value.
std::string Label(int32_t unit, float plain, int32_t length = 63)
{
    const float lo = std::min(plain, 0.0f) - 1.0f;
    const float hi = std::max(plain, 1.0f) + 1.0f;
    Parameter p(MakeDescriptor("p", lo, hi, lo, unit, TaperLinear));
    char buffer[128];
    memset(buffer, 'Z', sizeof buffer);
    p.GetLabel(plain, p.ToNormalised(plain), buffer, length);
    EXPECT_EQ(buffer[length + 1], 'Z') << "wrote past the length";
    return buffer;
}

}  // namespace

TEST(ParameterText, EveryUnitKindLabelsItsValue)
{
    const struct { int32_t unit; float plain; const char* label; } cases[] = {
        {UnitNone, 0.25f, "0.250"},
        {UnitTime, 0.1f, "0.100 s"},
        {UnitTime, 0.005f, "0.005 s"},
        {UnitTime, 0.0005f, "0.500 ms"},
        {UnitTime, 0.0000005f, "0.500 us"},
        {UnitSeconds, 2.5f, "2.500 s"},
        {UnitMilliseconds, 14.142f, "14.142 ms"},
        {UnitMicroseconds, 3.0f, "3.000 us"},
        {UnitBPM, 120.0f, "120.000 BPM"},
        {UnitDecibels, -6.0f, "-6.000 dB"},
        {UnitVolts, 1.5f, "1.500 V"},
        {UnitAmps, 0.5f, "0.500 A"},
        {UnitWatts, 40.0f, "40.000 W"},
        {UnitOhms, 600.0f, "600.000 Ohm"},
        {UnitFrequency, 1600.0f, "1.600 KHz"},
        {UnitFrequency, 1000.0f, "1000.000 Hz"},
        {UnitFrequency, 20.0f, "20.000 Hz"},
        {UnitHertz, 1600.0f, "1600.000 Hz"},
        {UnitKilohertz, 1600.0f, "1600.000 KHz"},
        {UnitSwitch, 0.0f, "Off"},
        {UnitSwitch, 1.0f, "On"},
        {UnitSwitch, 0.5f, "On"},
        {UnitPercent, 50.0f, "50.000 %"},
        {UnitRatio, 0.5f, "2.0:1"},
        {UnitRatio, 0.1f, "1.1:1"},
        {UnitRatio, 0.0f, "1.0:1"},
        {UnitRatio, 0.995f, "OO:1"},
        {UnitRatio, 1.0f, "OO:1"},
        {UnitRatio, 1.5f, "-2.0:1"},
        {18, 3.0f, ""},
        {-1, 3.0f, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Label(c.unit, c.plain), c.label) << "unit " << c.unit << " value " << c.plain;
}

TEST(ParameterText, LabelShortensToFitTheLength)
{
    const struct { int32_t unit; float plain; int32_t length; const char* label; } cases[] = {
        {UnitMilliseconds, 14.142f, 9, "14.142 ms"},
        {UnitMilliseconds, 14.142f, 8, "14.142ms"},     // the value keeps its three decimals
        {UnitMilliseconds, 14.142f, 6, "14.1ms"},      // 4 + 2 fits, 4 + 2 + 1 does not
        {UnitMilliseconds, 14.142f, 5, "14 ms"},
        {UnitMilliseconds, 14.142f, 4, "14ms"},
        {UnitMilliseconds, 14.142f, 3, "14"},          // the unit no longer fits
        {UnitMilliseconds, 14.142f, 2, "14"},
        {UnitMilliseconds, 14.142f, 1, ""},
        {UnitMilliseconds, 14.142f, 0, ""},
        {UnitBPM, 1234.6f, 6, "1235"},                 // three-character unit, value alone
        {UnitNone, 12345.678f, 4, ""},
        {UnitNone, 12345.678f, 5, "12346"},
        {UnitRatio, 0.5f, 4, " 2:1"},
        {UnitRatio, 0.5f, 3, " 2"},
        {UnitSwitch, 0.0f, 2, ""},
        {UnitSwitch, 1.0f, 2, "On"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Label(c.unit, c.plain, c.length), c.label) << "length " << c.length << " value " << c.plain;
}

TEST(ParameterText, CurrentLabelOfTheAttackTimeIsItsGeometricMean)
{
    Parameter attack(MakeDescriptor("Attack Time", 2.0f, 100.0f, 2.0f, UnitMilliseconds, TaperLog2));
    attack.SetNormalisedValue(0.5f);
    char buffer[64];
    attack.GetCurrentLabel(buffer, 63);
    EXPECT_STREQ(buffer, "14.142 ms");
    attack.GetCurrentLabel(buffer, 6);
    EXPECT_STREQ(buffer, "14.1ms");
}

TEST(ParameterText, UnitTextIsWrittenOnlyWhenItFitsAndOnlyThenRescales)
{
    Parameter freq(MakeDescriptor("Freq", 20.0f, 20000.0f, 1000.0f, UnitFrequency, TaperLinear));
    char unit[8];
    float plain = 1600.0f, n = 0.0f;
    EXPECT_EQ(freq.GetUnitText(&plain, &n, unit, 2), 0);
    EXPECT_STREQ(unit, "");
    EXPECT_EQ(plain, 1600.0f);
    EXPECT_EQ(freq.GetUnitText(&plain, &n, unit, 3), 3);
    EXPECT_STREQ(unit, "KHz");
    EXPECT_FLOAT_EQ(plain, 1.6f);

    Parameter time(MakeDescriptor("Time", 0.0f, 1.0f, 0.0f, UnitTime, TaperLinear));
    plain = 0.0005f;
    EXPECT_EQ(time.GetUnitText(&plain, &n, unit, 1), 0);
    EXPECT_EQ(plain, 0.0005f);

    Parameter percent(MakeDescriptor("Mix", 0.0f, 100.0f, 0.0f, UnitPercent, TaperLinear));
    plain = 50.0f;
    EXPECT_EQ(percent.GetUnitText(&plain, &n, unit, 1), 0);
    EXPECT_EQ(percent.GetUnitText(&plain, &n, unit, 2), 1);
    EXPECT_STREQ(unit, "%");
}

TEST(ParameterText, FormatValueCopiesAtMostTheLengthAndReportsTheFullText)
{
    Parameter p(MakeDescriptor("Huge", -FLT_MAX, FLT_MAX, 0.0f, UnitNone, TaperLinear));
    char buffer[16];
    memset(buffer, 'Z', sizeof buffer);
    const int32_t k = p.FormatValue(FLT_MAX, 1.0f, buffer, 10);
    EXPECT_EQ(k, 39);  // "%.0f" of the largest float, used whatever its length
    EXPECT_EQ(std::string(buffer), "3402823466");
    EXPECT_EQ(buffer[11], 'Z');
    char label[16];
    p.GetLabel(FLT_MAX, 1.0f, label, 10);
    EXPECT_STREQ(label, "");
}

TEST(ParseEngineeringNumber, ReadsEngineeringNotationForgivingly)
{
    const struct { const char* text; int32_t length; float value; } cases[] = {
        {"  12.5", 6, 12.5f},
        {"2k2", 3, 2200.0f},
        {"1.5k", 4, 1500.0f},
        {"4m7", 3, 0.0047f},
        {"2M2", 3, 2200000.0f},
        {"10u", 3, 0.00001f},
        {"3U3", 3, 0.0000033f},
        {"5n", 2, 5e-9f},
        {"1K", 2, 1000.0f},
        {"1k5m2", 5, 0.00152f},   // the later scale letter replaces the earlier one
        {"-6dB", 4, -6.0f},
        {"5-", 2, -5.0f},
        {"1,5", 3, 15.0f},
        {"3e2", 3, 32.0f},
        {"1.2.3", 5, 1.23f},
        {"12 34", 5, 12.0f},      // a blank ends the number
        {"12345", 3, 123.0f},     // so does the length
        {"\t\n 8", 4, 8.0f},
        {"\x80" "9", 2, 9.0f},    // high bytes count as blanks
        {"9\xC3\xA9" "1", 4, 9.0f},
        {"abc", 3, 0.0f},
        {"", 0, 0.0f},
        {"7", 0, 0.0f},
        {"7", -3, 0.0f},
        {"  \0 7", 5, 0.0f},      // never past a NUL, not even among leading blanks
        {"4\0" "4", 3, 4.0f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(ParseEngineeringNumber(c.text, c.length), c.value) << "\"" << c.text << "\" " << c.length;
    EXPECT_EQ(ParseEngineeringNumber(nullptr, 4), 0.0f);
}

TEST(ParameterText, ParsedNumbersAreSetThroughTheTaperAndClamped)
{
    Parameter freq(MakeDescriptor("Freq", 20.0f, 2000.0f, 100.0f, UnitFrequency, TaperLinear));
    freq.ParseValue("2k2", 3);
    EXPECT_EQ(freq.GetValue(), 2000.0f);
    freq.ParseValue("  12.5", 6);
    EXPECT_EQ(freq.GetValue(), 20.0f);
    freq.ParseValue("440 Hz", 6);
    EXPECT_FLOAT_EQ(freq.GetValue(), 440.0f);

    Parameter ratio(MakeDescriptor("Ratio", 0.0f, 1.0f, 0.0f, UnitRatio, TaperLinear));
    ratio.ParseValue("0.75", 4);
    EXPECT_FLOAT_EQ(ratio.GetValue(), 0.75f);

    Parameter odd(MakeDescriptor("Odd", 0.0f, 10.0f, 3.0f, 18, TaperLinear));
    odd.ParseValue("7", 1);
    EXPECT_FLOAT_EQ(odd.GetValue(), 3.0f);
}

TEST(ParameterText, SwitchWordsSetTheEnds)
{
    enum Result { Min, Max, Same };
    const struct { const char* text; int32_t length; Result result; } cases[] = {
        {"off", 3, Min}, {"OFF", 3, Min}, {"Off", 3, Min}, {"0", 1, Min}, {"0n", 2, Min}, {"000", 3, Min},
        {"on", 2, Max},  {"ON ", 3, Max}, {"1", 1, Max},   {"7", 1, Max}, {"9abc", 4, Max},
        {"x", 1, Max},   {"xy", 2, Max},  {"of", 2, Max},  {"", 0, Max},  {"Oops", 4, Max},
        {"o\0\0", 3, Max},
        {"xyz", 3, Same}, {"-1", 3, Same}, {"\0\0\0", 3, Same}, {" on", 3, Same},
    };
    for (const auto& c : cases) {
        for (float start : {0.0f, 1.0f}) {
            Parameter sw(MakeDescriptor("Enable", 0.0f, 1.0f, start, UnitSwitch, TaperStepped));
            sw.ParseValue(c.text, c.length);
            const float expected = c.result == Min ? 0.0f : c.result == Max ? 1.0f : start;
            EXPECT_EQ(sw.GetValue(), expected) << "\"" << c.text << "\" " << c.length << " from " << start;
        }
    }
}
