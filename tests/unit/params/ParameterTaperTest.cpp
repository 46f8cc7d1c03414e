#include <gtest/gtest.h>

#include "PAL/Parameter.h"
#include "ParamTestSupport.h"

#include <cmath>
#include <limits>

namespace {

struct TaperCase {
    const char* name;
    int32_t taper;
    float minimum, maximum;
    float middle;            // plain value whose normalised value is 0.5 (stepped: given below)
    float middleNormalised;  // 0.5 for the continuous tapers
    float maximumNormalised; // 1.0 except where the stepped span passes the maximum
};

// Middles: the geometric mean for the logarithms; for an exponential base b the value x with
// b^x = (b^min + b^max) / 2.
const TaperCase kTapers[] = {
    {"linear", TaperLinear, -60.0f, 6.0f, -27.0f, 0.5f, 1.0f},
    {"log", TaperLog, 1.0f, 1000.0f, 31.6227766f, 0.5f, 1.0f},
    {"log2 attack", TaperLog2, 2.0f, 100.0f, 14.1421356f, 0.5f, 1.0f},
    {"log10", TaperLog10, 20.0f, 20000.0f, 632.455532f, 0.5f, 1.0f},
    {"exp", TaperExp, 1.0f, 5.0f, 4.3250027f, 0.5f, 1.0f},
    {"pow2", TaperPow2, 1.0f, 8.0f, 7.0112273f, 0.5f, 1.0f},
    {"pow10", TaperPow10, 1.0f, 3.0f, 2.7032914f, 0.5f, 1.0f},
    {"stepped 1..6", TaperStepped, 1.0f, 6.0f, 3.0f, 0.25f, 0.625f},
    {"stepped 0..128", TaperStepped, 0.0f, 128.0f, 64.0f, 0.5f, 1.0f},
};

float Tolerance(float v) { return 2e-5f * std::max(1.0f, std::fabs(v)); }

}  // namespace

TEST(ParameterTaper, EveryTaperRoundTripsItsEndsAndMiddle)
{
    for (const TaperCase& c : kTapers) {
        SCOPED_TRACE(c.name);
        Parameter p(MakeDescriptor(c.name, c.minimum, c.maximum, c.minimum, UnitNone, c.taper));
        ASSERT_EQ(p.GetTaperKind(), c.taper);
        const struct { float plain, normalised; } points[] = {
            {c.minimum, 0.0f}, {c.middle, c.middleNormalised}, {c.maximum, c.maximumNormalised}};
        for (const auto& pt : points) {
            SCOPED_TRACE(pt.plain);
            const float n = p.ToNormalised(pt.plain);
            EXPECT_NEAR(n, pt.normalised, 2e-5f);
            EXPECT_NEAR(p.FromNormalised(n), pt.plain, Tolerance(pt.plain));
            p.SetValue(pt.plain);
            EXPECT_NEAR(p.GetValue(), pt.plain, Tolerance(pt.plain));
        }
        EXPECT_NEAR(p.FromNormalised(0.0f), c.minimum, Tolerance(c.minimum));
        EXPECT_NEAR(p.FromNormalised(c.middleNormalised), c.middle, Tolerance(c.middle));
    }
}

TEST(ParameterTaper, NormalisedValuesOutsideZeroToOneAndNaNAreClampedOnTheWayOut)
{
    for (const TaperCase& c : kTapers) {
        SCOPED_TRACE(c.name);
        Parameter p(MakeDescriptor(c.name, c.minimum, c.maximum, c.minimum, UnitNone, c.taper));
        EXPECT_NEAR(p.FromNormalised(-0.5f), c.minimum, Tolerance(c.minimum));
        EXPECT_NEAR(p.FromNormalised(1.7f), c.maximum, Tolerance(c.maximum));
        EXPECT_EQ(p.FromNormalised(std::numeric_limits<float>::quiet_NaN()), c.minimum);
        // Plain values beyond the range store the normalised value of the nearer end.
        p.SetValue(c.maximum * 4.0f + 10.0f);
        EXPECT_EQ(p.GetNormalisedValue(), p.ToNormalised(c.maximum));
        p.SetValue(c.minimum - 100.0f);
        EXPECT_EQ(p.GetNormalisedValue(), p.ToNormalised(c.minimum));
    }
}

TEST(ParameterTaper, SteppedSpanIsTheNextPowerOfTwo)
{
    const struct { float minimum, maximum; int32_t steps; } cases[] = {
        {0.0f, 1.0f, 1}, {0.0f, 0.5f, 1}, {1.0f, 6.0f, 8}, {0.0f, 128.0f, 128}, {0.0f, 129.0f, 256}, {0.0f, 3.0f, 4},
    };
    for (const auto& c : cases) {
        Parameter p(MakeDescriptor("steps", c.minimum, c.maximum, c.minimum, UnitNone, TaperStepped));
        EXPECT_EQ(p.GetSteps(), c.steps) << c.minimum << ".." << c.maximum;
    }
}

TEST(ParameterTaper, SteppedSelectorTruncatesAndStaysInItsRange)
{
    Parameter selector(MakeDescriptor("", 1.0f, 6.0f, 1.0f, UnitNone, TaperStepped));
    EXPECT_FLOAT_EQ(selector.ToNormalised(6.0f), 0.625f);
    EXPECT_FLOAT_EQ(selector.FromNormalised(0.7f), 6.0f);
    EXPECT_FLOAT_EQ(selector.FromNormalised(0.74f), 6.0f);
    // The power-of-two span reaches 9 at the top; the result is held at the maximum.
    EXPECT_FLOAT_EQ(selector.FromNormalised(0.75f), 6.0f);
    EXPECT_FLOAT_EQ(selector.FromNormalised(1.0f), 6.0f);
    EXPECT_FLOAT_EQ(selector.FromNormalised(0.3f), 3.0f);
}

TEST(ParameterTaper, SwitchBuiltOnReadsOneAndOnlyAFullNormalisedValueKeepsItOn)
{
    Parameter sw(MakeDescriptor("Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped));
    EXPECT_EQ(sw.GetValue(), 1.0f);
    sw.SetNormalisedValue(0.999f);
    EXPECT_EQ(sw.GetValue(), 0.0f);
    sw.SetNormalisedValue(1.0f);
    EXPECT_EQ(sw.GetValue(), 1.0f);
}

TEST(ParameterTaper, EqualEndsGiveNormalisedOne)
{
    for (int32_t taper : {TaperLinear, TaperLog, TaperLog2, TaperLog10, TaperExp, TaperPow2, TaperPow10}) {
        Parameter p(MakeDescriptor("flat", 4.0f, 4.0f, 4.0f, UnitNone, taper));
        EXPECT_EQ(p.ToNormalised(4.0f), 1.0f) << "taper " << taper;
        EXPECT_EQ(p.ToNormalised(-3.0f), 1.0f) << "taper " << taper;
    }
}

TEST(ParameterTaper, UnknownTaperKindsPassValuesThrough)
{
    Parameter p(MakeDescriptor("odd", 0.0f, 10.0f, 2.0f, UnitNone, 9));
    EXPECT_EQ(p.ToNormalised(3.5f), 3.5f);
    EXPECT_EQ(p.FromNormalised(0.25f), 0.25f);
    EXPECT_EQ(p.FromNormalised(7.0f), 7.0f);
    EXPECT_EQ(p.GetValue(), 2.0f);
}

TEST(ParameterTaper, LogarithmicAndExponentialTapersWithoutAPositiveMinimumActLinear)
{
    for (int32_t taper : {TaperLog, TaperLog2, TaperLog10, TaperExp, TaperPow2, TaperPow10}) {
        SCOPED_TRACE(taper);
        Parameter p(MakeDescriptor("bad", 0.0f, 10.0f, 5.0f, UnitNone, taper));
        EXPECT_EQ(p.GetTaperKind(), TaperLinear);
        EXPECT_FLOAT_EQ(p.GetNormalisedValue(), 0.5f);
        EXPECT_FLOAT_EQ(p.FromNormalised(0.25f), 2.5f);
    }
    // e^100 does not fit a float.
    Parameter overflowing(MakeDescriptor("big", 1.0f, 100.0f, 1.0f, UnitNone, TaperExp));
    EXPECT_EQ(overflowing.GetTaperKind(), TaperLinear);
    EXPECT_TRUE(std::isfinite(overflowing.FromNormalised(0.5f)));
}

TEST(ParameterTaper, NaNIsNeverStored)
{
    Parameter p(MakeDescriptor("Gain", 0.0f, 1.0f, 0.25f, UnitNone, TaperLinear));
    p.SetValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(p.GetNormalisedValue(), 0.25f);
    Parameter flat(MakeDescriptor("Flat", 2.0f, 2.0f, 2.0f, UnitNone, TaperLinear));
    flat.SetNormalisedValue(0.0f);
    flat.SetValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(flat.GetNormalisedValue(), 0.0f);
    // A pass-through taper would store infinity as it stands.
    Parameter odd(MakeDescriptor("odd", 0.0f, 1.0f, 0.5f, UnitNone, 12));
    odd.SetValue(std::numeric_limits<float>::infinity());
    EXPECT_EQ(odd.GetNormalisedValue(), 0.5f);
}

TEST(ParameterTaper, DefaultAndResetUseThePlainDefault)
{
    Parameter p(MakeDescriptor("Attack Time", 2.0f, 100.0f, 10.0f, UnitMilliseconds, TaperLog2, 7));
    EXPECT_EQ(p.GetId(), 7);
    EXPECT_STREQ(p.GetName(), "Attack Time");
    EXPECT_NEAR(p.GetValue(), 10.0f, 1e-4f);
    p.SetValue(80.0f);
    p.Reset();
    EXPECT_NEAR(p.GetValue(), 10.0f, 1e-4f);
    EXPECT_EQ(p.GetDefaultValue(), 10.0f);
}

TEST(ParameterTaper, UnterminatedDescriptorNameIsCutToSixtyThreeCharacters)
{
    ParamDescriptor d = MakeDescriptor("", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear);
    memset(d.name, 'a', sizeof d.name);
    Parameter p(d);
    EXPECT_EQ(strlen(p.GetName()), 63u);
}

namespace {
// Square-law taper and a custom text, through the hooks.
class SquareParameter : public Parameter {
public:
    explicit SquareParameter(const ParamDescriptor& d) : Parameter(d) { Reset(); }
    float CustomToNormalised(float plain) const override { return std::sqrt(plain / GetMaximum()); }
    float CustomFromNormalised(float n) const override { return n * n * GetMaximum(); }
    int32_t FormatCustomValue(float plain, float, char* buffer, int32_t length) override
    {
        return snprintf(buffer, size_t(length) + 1, "<%g>", double(plain));
    }
    int32_t GetCustomUnitText(float* plain, float*, char* buffer, int32_t length) override
    {
        *plain *= 2.0f;
        return snprintf(buffer, size_t(length) + 1, "sq");
    }
    int32_t ParseCustomValue(const char* text, int32_t) override
    {
        SetValue(float(atof(text)));
        return 1;
    }
};
}  // namespace

TEST(ParameterTaper, CustomHooksCarryTaperTextAndParsing)
{
    SquareParameter p(MakeDescriptor("Square", 0.0f, 100.0f, 25.0f, UnitCustom, TaperCustom));
    EXPECT_FLOAT_EQ(p.GetNormalisedValue(), 0.5f);
    EXPECT_FLOAT_EQ(p.GetValue(), 25.0f);
    char label[32];
    p.GetCurrentLabel(label, 31);
    EXPECT_STREQ(label, "<50> sq");
    p.ParseValue("64", 2);
    EXPECT_FLOAT_EQ(p.GetNormalisedValue(), 0.8f);
    // The base hooks do nothing.
    Parameter plain(MakeDescriptor("Plain", 0.0f, 1.0f, 0.0f, UnitCustom, TaperCustom));
    plain.GetCurrentLabel(label, 31);
    EXPECT_STREQ(label, "");
    EXPECT_EQ(plain.FromNormalised(0.5f), 0.0f);
}
