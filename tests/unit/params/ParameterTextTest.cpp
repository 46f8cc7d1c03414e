#include <gtest/gtest.h>

#include "PAL/ParseEngineeringNumber.h"
#include "PAL/Parameter.h"
#include "ParamTestSupport.h"

#include <cfloat>
#include <string>

namespace {

// Label of a plain value for a linear parameter of the unit kind whose range holds the value.
std::string Label(int32_t unit, float plain, int32_t length)
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

TEST(ParameterText, EveryUnitKindLabelsItsValueAndShortensToFitTheLength)
{
    const int32_t n = 63;
    const struct { int32_t unit; float plain; int32_t length; const char* label; } cases[] = {
        {UnitNone, 0.25f, n, "0.250"},              {UnitTime, 0.005f, n, "0.005 s"},
        {UnitTime, 0.0005f, n, "0.500 ms"},         {UnitTime, 0.0000005f, n, "0.500 us"},
        {UnitSeconds, 2.5f, n, "2.500 s"},          {UnitMilliseconds, 14.142f, n, "14.142 ms"},
        {UnitMicroseconds, 3.0f, n, "3.000 us"},    {UnitBPM, 120.0f, n, "120.000 BPM"},
        {UnitDecibels, -6.0f, n, "-6.000 dB"},      {UnitVolts, 1.5f, n, "1.500 V"},
        {UnitAmps, 0.5f, n, "0.500 A"},             {UnitWatts, 40.0f, n, "40.000 W"},
        {UnitOhms, 600.0f, n, "600.000 Ohm"},       {UnitFrequency, 1600.0f, n, "1.600 KHz"},
        {UnitFrequency, 1000.0f, n, "1000.000 Hz"}, {UnitHertz, 1600.0f, n, "1600.000 Hz"},
        {UnitKilohertz, 1600.0f, n, "1600.000 KHz"}, {UnitSwitch, 0.0f, n, "Off"},
        {UnitSwitch, 0.5f, n, "On"},                {UnitPercent, 50.0f, n, "50.000 %"},
        {UnitRatio, 0.5f, n, "2.0:1"},              {UnitRatio, 0.995f, n, "OO:1"},
        {UnitRatio, 1.0f, n, "OO:1"},               {UnitRatio, 1.5f, n, "-2.0:1"},
        {18, 3.0f, n, ""},                          {-1, 3.0f, n, ""},
        // Shortened: fewer decimals, then without the blank, then without the unit, then empty.
        {UnitMilliseconds, 14.142f, 8, "14.142ms"}, {UnitMilliseconds, 14.142f, 6, "14.1ms"},
        {UnitMilliseconds, 14.142f, 4, "14ms"},     {UnitMilliseconds, 14.142f, 3, "14"},
        {UnitMilliseconds, 14.142f, 1, ""},         {UnitBPM, 1234.6f, 6, "1235"},
        {UnitNone, 12345.678f, 4, ""},              {UnitRatio, 0.5f, 4, " 2:1"},
        {UnitRatio, 0.5f, 3, " 2"},                 {UnitSwitch, 0.0f, 2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Label(c.unit, c.plain, c.length), c.label) << "unit " << c.unit << " value " << c.plain << " length "
                                                              << c.length;
}

TEST(ParameterText, UnitTextIsWrittenOnlyWhenItFitsAndOnlyThenRescales)
{
    const struct { int32_t unit; float plain; int32_t length, result; const char* text; float scaled; } cases[] = {
        {UnitFrequency, 1600.0f, 2, 0, "", 1600.0f}, {UnitFrequency, 1600.0f, 3, 3, "KHz", 1.6f},
        {UnitPercent, 50.0f, 1, 0, "", 50.0f},       {UnitPercent, 50.0f, 2, 1, "%", 50.0f},
    };
    for (const auto& c : cases) {
        Parameter p(MakeDescriptor("p", 0.0f, 20000.0f, 0.0f, c.unit, TaperLinear));
        char unit[8];
        float plain = c.plain, n = 0.0f;
        EXPECT_EQ(p.GetUnitText(&plain, &n, unit, c.length), c.result) << c.unit << " " << c.length;
        EXPECT_STREQ(unit, c.text);
        EXPECT_FLOAT_EQ(plain, c.scaled);
    }
}

TEST(ParameterText, FormatValueCopiesAtMostTheLengthAndReportsTheFullText)
{
    Parameter p(MakeDescriptor("Huge", -FLT_MAX, FLT_MAX, 0.0f, UnitNone, TaperLinear));
    char buffer[16];
    memset(buffer, 'Z', sizeof buffer);
    EXPECT_EQ(p.FormatValue(FLT_MAX, 1.0f, buffer, 10), 39);  // "%.0f" of the largest float
    EXPECT_EQ(std::string(buffer), "3402823466");
    EXPECT_EQ(buffer[11], 'Z');
    p.GetLabel(FLT_MAX, 1.0f, buffer, 10);
    EXPECT_STREQ(buffer, "");
}

TEST(ParseEngineeringNumber, ReadsEngineeringNotationForgivingly)
{
    const struct { const char* text; int32_t length; float value; } cases[] = {
        {"  12.5", 6, 12.5f}, {"2k2", 3, 2200.0f}, {"1K", 2, 1000.0f},  {"4m7", 3, 0.0047f}, {"2M2", 3, 2.2e6f},
        {"3U3", 3, 3.3e-6f},  {"5n", 2, 5e-9f},    {"-6dB", 4, -6.0f},  {"5-", 2, -5.0f},    {"1,5", 3, 15.0f},
        {"1.2.3", 5, 1.23f},  {"abc", 3, 0.0f},    {"7", 0, 0.0f},      {"7", -3, 0.0f},
        {"1k5m2", 5, 0.00152f},   // the later scale letter replaces the earlier one
        {"12 34", 5, 12.0f},      // a blank ends the number
        {"12345", 3, 123.0f},     // so does the length
        {"\x80" "9", 2, 9.0f},    // high bytes count as blanks
        {"9\xC3\xA9" "1", 4, 9.0f},
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
    EXPECT_FLOAT_EQ(freq.GetValue(), 2000.0f);
    freq.ParseValue("440 Hz", 6);
    EXPECT_FLOAT_EQ(freq.GetValue(), 440.0f);
    Parameter odd(MakeDescriptor("Odd", 0.0f, 10.0f, 3.0f, 18, TaperLinear));  // unknown unit: ignored
    odd.ParseValue("7", 1);
    EXPECT_FLOAT_EQ(odd.GetValue(), 3.0f);
}

TEST(ParameterText, SwitchWordsSetTheEnds)
{
    enum Result { Min, Max, Same };
    const struct { const char* text; int32_t length; Result result; } cases[] = {
        {"off", 3, Min}, {"OFF", 3, Min}, {"0", 1, Min},   {"0n", 2, Min}, {"000", 3, Min},
        {"on", 2, Max},  {"ON ", 3, Max}, {"9abc", 4, Max}, {"x", 1, Max},  {"of", 2, Max},
        {"", 0, Max},    {"Oops", 4, Max}, {"o\0\0", 3, Max},
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
