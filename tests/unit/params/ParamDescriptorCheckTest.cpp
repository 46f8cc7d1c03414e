#include <gtest/gtest.h>

#include "PAL/ParamDescriptorCheck.h"
#include "PAL/Parameter.h"
#include "ParamTestSupport.h"

#include <algorithm>
#include <cmath>

TEST(ParamDescriptorCheck, TaperRuleNamesEachBrokenTaper)
{
    const struct { ParamDescriptor d; bool ok; } cases[] = {
        {MakeDescriptor("a", 0.0f, 10.0f, 1.0f, UnitNone, TaperLog), false},
        {MakeDescriptor("e", 1.0f, 88.0f, 1.0f, UnitNone, TaperExp), true},
        {MakeDescriptor("f", 1.0f, 89.0f, 1.0f, UnitNone, TaperExp), false},
        {MakeDescriptor("g", 1.0f, 127.0f, 1.0f, UnitNone, TaperPow2), true},
        {MakeDescriptor("h", 1.0f, 129.0f, 1.0f, UnitNone, TaperPow2), false},
        {MakeDescriptor("i", 1.0f, 39.0f, 1.0f, UnitNone, TaperPow10), false},
        {MakeDescriptor("j", 1.0f, NAN, 1.0f, UnitNone, TaperLog), false},
        {MakeDescriptor("k", 0.0f, 2e9f, 1.0f, UnitNone, TaperStepped), false},
        {MakeDescriptor("l", -5.0f, 5.0f, 0.0f, UnitNone, TaperLinear), true},
        {MakeDescriptor("m", -10.0f, 10.0f, 0.0f, UnitNone, 12), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParamTaperProblem(c.d) == nullptr, c.ok) << c.d.name;
}

TEST(ParamDescriptorCheck, TableProblemsAreListedOnePerLineAndParametersCutUnterminatedNames)
{
    ParamDescriptor table[] = {
        MakeDescriptor("Freq", 0.0f, 20000.0f, 1000.0f, UnitFrequency, TaperLog, 0),
        MakeDescriptor("Skipped", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear, 5),
        MakeDescriptor("Upside", 1.0f, 0.0f, 0.0f, UnitNone, TaperLinear, 2),
        MakeDescriptor("", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear, 3),
        MakeDescriptor("Attack Time", 2.0f, 100.0f, 10.0f, UnitMilliseconds, TaperLog2, 4),
        MakeDescriptor("", 1.0f, 6.0f, 1.0f, UnitNone, TaperStepped, 5),
    };
    memset(table[3].name, 'n', sizeof table[3].name);
    const std::string report = CheckParamDescriptorTable(table, 6);
    EXPECT_NE(report.find("descriptor 0 \"Freq\": taper needs a positive minimum\n"), std::string::npos) << report;
    EXPECT_NE(report.find("descriptor 1 \"Skipped\": index differs from its position\n"), std::string::npos);
    EXPECT_NE(report.find("descriptor 2 \"Upside\": minimum above maximum\n"), std::string::npos);
    EXPECT_NE(report.find("descriptor 3 \"nnnn"), std::string::npos);
    EXPECT_NE(report.find("\": name is not terminated\n"), std::string::npos);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 4);  // none for the sound rows 4 and 5
    EXPECT_EQ(strlen(Parameter(table[3]).GetName()), 63u);  // a parameter cuts the unterminated name
}
