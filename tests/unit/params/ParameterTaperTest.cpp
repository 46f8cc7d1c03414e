#include <gtest/gtest.h>

#include "PAL/Parameter.h"
#include "ParamTestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <string>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

float Tolerance(float v) { return 2e-5f * std::max(1.0f, std::fabs(v)); }

}  // namespace

TEST(ParameterTaper, EveryTaperRoundTripsItsEndsAndMiddleAndClampsOutsideTheRange)
{
    // Middles: the geometric mean for the logarithms; for an exponential base b the x with
    // b^x = (b^min + b^max) / 2. Stepped spans are the next power of two (8 for 1..6, 128 for 0..128).
    const struct { const char* name; int32_t taper; float minimum, maximum, middle, middleN, maximumN; } cases[] = {
        {"linear", TaperLinear, -60.0f, 6.0f, -27.0f, 0.5f, 1.0f},
        {"log", TaperLog, 1.0f, 1000.0f, 31.6227766f, 0.5f, 1.0f},
        {"log2", TaperLog2, 2.0f, 100.0f, 14.1421356f, 0.5f, 1.0f},
        {"log10", TaperLog10, 20.0f, 20000.0f, 632.455532f, 0.5f, 1.0f},
        {"exp", TaperExp, 1.0f, 5.0f, 4.3250027f, 0.5f, 1.0f},
        {"pow2", TaperPow2, 1.0f, 8.0f, 7.0112273f, 0.5f, 1.0f},
        {"pow10", TaperPow10, 1.0f, 3.0f, 2.7032914f, 0.5f, 1.0f},
        {"stepped 1..6", TaperStepped, 1.0f, 6.0f, 3.0f, 0.25f, 0.625f},
        {"stepped 0..128", TaperStepped, 0.0f, 128.0f, 64.0f, 0.5f, 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Parameter p(MakeDescriptor(c.name, c.minimum, c.maximum, c.minimum, UnitNone, c.taper));
        ASSERT_EQ(p.GetTaperKind(), c.taper);
        const struct { float plain, normalised; } points[] = {
            {c.minimum, 0.0f}, {c.middle, c.middleN}, {c.maximum, c.maximumN}};
        for (const auto& pt : points) {
            EXPECT_NEAR(p.ToNormalised(pt.plain), pt.normalised, 2e-5f) << pt.plain;
            EXPECT_NEAR(p.FromNormalised(pt.normalised), pt.plain, Tolerance(pt.plain));
            p.SetValue(pt.plain);
            EXPECT_NEAR(p.GetValue(), pt.plain, Tolerance(pt.plain));
        }
        EXPECT_NEAR(p.FromNormalised(-0.5f), c.minimum, Tolerance(c.minimum));
        EXPECT_NEAR(p.FromNormalised(1.7f), c.maximum, Tolerance(c.maximum));
        EXPECT_EQ(p.FromNormalised(kNaN), c.minimum);
        p.SetValue(c.maximum * 4.0f + 10.0f);
        EXPECT_EQ(p.GetNormalisedValue(), p.ToNormalised(c.maximum));
        p.SetValue(c.minimum - 100.0f);
        EXPECT_EQ(p.GetNormalisedValue(), p.ToNormalised(c.minimum));
    }
}

TEST(ParameterTaper, StoredValuesStayWithinZeroToOneAtBothEndsOfEveryTaper)
{
    // Ranges whose float-rounded end terms put an end a hair outside 0..1 when f(x) is taken in double
    // precision (log2 of 0.01 gives -8.18e-9). A stepped span of 1.5 has one step, so 1.5 maps to 1.5.
    // Taper kind 12 is unknown and passes values through.
    const struct { const char* name; int32_t taper; float minimum, maximum; } cases[] = {
        {"linear", TaperLinear, -60.0f, 6.0f},       {"log low end", TaperLog, 20.0f, 20000.0f},
        {"log high end", TaperLog, 0.05f, 0.1f},     {"log2 low end", TaperLog2, 0.01f, 24000.0f},
        {"log2 high end", TaperLog2, 3.0f, 30.0f},   {"log10", TaperLog10, 0.01f, 0.02f},
        {"exp", TaperExp, 0.01f, 0.02f},             {"pow2", TaperPow2, 0.02f, 0.1f},
        {"pow10", TaperPow10, 0.01f, 0.03f},         {"stepped 0..1.5", TaperStepped, 0.0f, 1.5f},
        {"stepped 1..6", TaperStepped, 1.0f, 6.0f},  {"unknown kind", 12, -5.0f, 10.0f},
    };
    for (const auto& c : cases) {
        Parameter p(MakeDescriptor(c.name, c.minimum, c.maximum, c.minimum, UnitNone, c.taper));
        ASSERT_EQ(p.GetTaperKind(), c.taper) << c.name;
        const float span = c.maximum - c.minimum;
        const struct { const char* end; float plain, beyond, low, high; } ends[] = {
            {"minimum", c.minimum, c.minimum - span, 0.0f, 1e-6f},
            {"maximum", c.maximum, c.maximum + span, c.taper == TaperStepped ? 0.6f : 1.0f - 1e-6f, 1.0f},
        };
        for (const auto& e : ends) {
            SCOPED_TRACE(std::string(c.name) + ", " + e.end);
            if (c.taper <= TaperCustom) {
                EXPECT_GE(p.ToNormalised(e.plain), 0.0f);
                EXPECT_LE(p.ToNormalised(e.plain), 1.0f);
            }
            char shortText[32], labelText[32];
            snprintf(shortText, sizeof shortText, "%g", double(e.plain));
            snprintf(labelText, sizeof labelText, "%.3f", double(e.plain));
            const std::function<void()> stores[] = {
                [&] { p.SetValue(e.plain); }, [&] { p.SetValue(e.beyond); },
                [&] { p.ParseValue(shortText, int32_t(strlen(shortText))); },
                [&] { p.ParseValue(labelText, int32_t(strlen(labelText))); },
            };
            for (size_t k = 0; k < std::size(stores); ++k) {
                p.SetNormalisedValue(0.5f);
                stores[k]();
                const float n = p.GetNormalisedValue();
                EXPECT_TRUE(n >= e.low && n <= e.high) << "store " << k << ": " << n;
            }
        }
    }
}

TEST(ParameterTaper, SteppedValuesTruncateAndStayInTheRange)
{
    Parameter selector(MakeDescriptor("", 1.0f, 6.0f, 1.0f, UnitNone, TaperStepped));
    Parameter sw(MakeDescriptor("Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped));
    const struct { Parameter* p; float normalised, plain; } cases[] = {
        {&selector, 0.3f, 3.0f}, {&selector, 0.74f, 6.0f},
        {&selector, 0.75f, 6.0f}, {&selector, 1.0f, 6.0f},  // the span reaches 9: held at the maximum
        {&sw, 0.999f, 0.0f}, {&sw, 1.0f, 1.0f},             // only a full value keeps a switch on
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.p->FromNormalised(c.normalised), c.plain) << c.p->GetName() << " " << c.normalised;
}

TEST(ParameterTaper, NonFiniteValuesAreNeverStoredNorProducedByDegenerateDescriptors)
{
    Parameter p(MakeDescriptor("Gain", 0.0f, 1.0f, 0.25f, UnitNone, TaperLinear));
    p.SetValue(kNaN);
    EXPECT_EQ(p.GetNormalisedValue(), 0.25f);
    // An unknown taper kind passes values through, so infinity would be stored as it stands.
    Parameter odd(MakeDescriptor("odd", 0.0f, 1.0f, 0.5f, UnitNone, 12));
    odd.SetValue(kInf);
    EXPECT_EQ(odd.GetNormalisedValue(), 0.5f);
    for (int32_t taper : {TaperLinear, TaperLog, TaperLog2, TaperLog10, TaperExp, TaperPow2, TaperPow10}) {
        SCOPED_TRACE(taper);
        Parameter flat(MakeDescriptor("flat", 4.0f, 4.0f, 4.0f, UnitNone, taper));
        EXPECT_EQ(flat.ToNormalised(-3.0f), 1.0f);  // equal ends: no division by zero
        // Without a positive minimum the logarithmic and exponential tapers act linear.
        Parameter bad(MakeDescriptor("bad", 0.0f, 10.0f, 5.0f, UnitNone, taper));
        EXPECT_EQ(bad.GetTaperKind(), TaperLinear);
        EXPECT_FLOAT_EQ(bad.GetNormalisedValue(), 0.5f);
    }
    Parameter overflowing(MakeDescriptor("big", 1.0f, 100.0f, 1.0f, UnitNone, TaperExp));  // e^100 > FLT_MAX
    EXPECT_EQ(overflowing.GetTaperKind(), TaperLinear);
}

namespace {
// Square-law taper with its own text, through the hooks.
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
        *plain *= 2.0f;  // reaches the value text
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
    char label[32];
    p.GetCurrentLabel(label, 31);
    EXPECT_STREQ(label, "<50> sq");
    p.ParseValue("64", 2);
    EXPECT_FLOAT_EQ(p.GetNormalisedValue(), 0.8f);
}
