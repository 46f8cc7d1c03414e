#include "PAL/Parameter.h"

#include "PAL/ParamDescriptorCheck.h"
#include "PAL/ParseEngineeringNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Longest value text kept: a float with three decimals needs at most 45 characters.
constexpr int32_t kValueTextMax = 63;
constexpr int32_t kUnitTextMax = 32;

// Copies the first min(textLength, length) characters of text and terminates; buffer holds
// length + 1 bytes. Nothing is written for a negative length.
void CopyText(char* buffer, int32_t length, const char* text, int32_t textLength)
{
    if (!buffer || length < 0)
        return;
    const int32_t n = std::max(0, std::min(textLength, length));
    memcpy(buffer, text, size_t(n));
    buffer[n] = '\0';
}

int32_t TextLength(const char* text, int32_t capacity)
{
    const void* end = memchr(text, 0, size_t(capacity));
    return end ? int32_t(static_cast<const char*>(end) - text) : capacity;
}

// Steps of TaperStepped: the smallest power of two at or above the truncated span, 1 for a span
// of 1 or less. The span was checked to stay below 2^30.
int32_t StepsForSpan(float minimum, float maximum)
{
    const float span = std::trunc(maximum - minimum);
    int32_t steps = 1;
    while (float(steps) < span && steps < (1 << 30))
        steps <<= 1;
    return steps;
}

}  // namespace

Parameter::Parameter(const ParamDescriptor& d)
    : m_id(d.index), m_taper(d.taperKind), m_unit(d.unitKind), m_minimum(d.minimum),
      m_maximum(d.maximum), m_default(d.defaultValue)
{
    const int32_t nameLength = TextLength(d.name, kParamNameSize - 1);
    memcpy(m_name, d.name, size_t(nameLength));
    memset(m_name + nameLength, 0, size_t(kParamNameSize - nameLength));
    // A taper whose terms cannot be formed (log of a non-positive minimum, overflowing exponent)
    // would turn every value into NaN or infinity.
    if (ParamTaperProblem(d))
        m_taper = TaperLinear;
    PrepareTaper();
}

void Parameter::PrepareTaper()
{
    switch (m_taper) {
    case TaperLog:
        m_minLog = logf(m_minimum);
        m_maxLog = logf(m_maximum);
        break;
    case TaperLog2:
        m_minLog = float(std::log(double(m_minimum)) / std::log(2.0));
        m_maxLog = float(std::log(double(m_maximum)) / std::log(2.0));
        break;
    case TaperLog10:
        m_minLog = log10f(m_minimum);
        m_maxLog = log10f(m_maximum);
        break;
    case TaperExp:
        m_minExp = expf(m_minimum);
        m_maxExp = expf(m_maximum);
        break;
    case TaperPow2:
        m_minPow2 = float(std::pow(2.0, double(m_minimum)));
        m_maxPow2 = float(std::pow(2.0, double(m_maximum)));
        m_invLn2 = float(1.0 / std::log(2.0));
        break;
    case TaperPow10:
        m_minPow10 = float(std::pow(10.0, double(m_minimum)));
        m_maxPow10 = float(std::pow(10.0, double(m_maximum)));
        break;
    case TaperStepped:
        m_steps = StepsForSpan(m_minimum, m_maximum);
        break;
    case TaperCustom:
        PrepareCustomTaper();
        break;
    default:
        break;
    }
    SetValue(m_default);
}

int32_t Parameter::ParseCustomValue(const char*, int32_t) { return 0; }
int32_t Parameter::GetCustomUnitText(float*, float*, char*, int32_t) { return 0; }
int32_t Parameter::FormatCustomValue(float, float, char*, int32_t) { return 0; }
float Parameter::CustomFromNormalised(float) const { return 0.0f; }
float Parameter::CustomToNormalised(float) const { return 0.0f; }

void Parameter::SetValue(float plain)
{
    if (std::isnan(plain))
        return;
    const float n = ToNormalised(plain);
    if (std::isfinite(n))
        SetNormalisedValue(std::min(1.0f, std::max(0.0f, n)));
}

float Parameter::GetValue() const { return FromNormalised(GetNormalisedValue()); }

float Parameter::ToNormalised(float plain) const
{
    if (m_taper < TaperLinear || m_taper > TaperCustom)
        return plain;
    double x = plain;
    if (plain < m_minimum)
        x = m_minimum;
    else if (plain > m_maximum)
        x = m_maximum;

    // Ratio of (f(x) - f(min)) to (f(max) - f(min)) over the stored end terms; 1.0 for equal ends.
    // f(x) is taken in double precision and the terms are float-rounded, so at the ends the ratio
    // can fall a hair outside 0..1.
    auto ratio = [](double fx, float lo, float hi) {
        return lo == hi ? 1.0 : (fx - lo) / (double(hi) - double(lo));
    };
    double n = 0.0;
    switch (m_taper) {
    case TaperLinear: n = ratio(x, m_minimum, m_maximum); break;
    case TaperLog: n = ratio(std::log(x), m_minLog, m_maxLog); break;
    case TaperLog2: n = ratio(std::log(x) / std::log(2.0), m_minLog, m_maxLog); break;
    case TaperLog10: n = ratio(std::log10(x), m_minLog, m_maxLog); break;
    case TaperExp: n = ratio(std::exp(x), m_minExp, m_maxExp); break;
    case TaperPow2: n = ratio(std::pow(2.0, x), m_minPow2, m_maxPow2); break;
    case TaperPow10: n = ratio(std::pow(10.0, x), m_minPow10, m_maxPow10); break;
    // A span that is not a whole number reaches past its steps (0..1.5 has one step).
    case TaperStepped: n = (x - double(m_minimum)) / double(m_steps); break;
    default: n = CustomToNormalised(float(x)); break;
    }
    return std::isfinite(n) ? float(std::min(1.0, std::max(0.0, n))) : float(n);
}

float Parameter::FromNormalised(float normalised) const
{
    if (std::isnan(normalised))
        return m_minimum;
    if (m_taper < TaperLinear || m_taper > TaperCustom)
        return normalised;
    const float n = std::min(1.0f, std::max(0.0f, normalised));
    const double nd = n;
    switch (m_taper) {
    case TaperLinear:
        return float(double(m_minimum) + nd * (double(m_maximum) - double(m_minimum)));
    case TaperLog:
        return expf(m_minLog + n * (m_maxLog - m_minLog));
    case TaperLog2:
        return float(std::pow(2.0, double(m_minLog) + nd * (double(m_maxLog) - double(m_minLog))));
    case TaperLog10:
        return float(std::pow(10.0, double(m_minLog) + nd * (double(m_maxLog) - double(m_minLog))));
    case TaperExp:
        return logf(m_minExp + n * (m_maxExp - m_minExp));
    case TaperPow2:
        return float(std::log(double(m_minPow2) + nd * (double(m_maxPow2) - double(m_minPow2))) *
                     double(m_invLn2));
    case TaperPow10:
        return log10f(m_minPow10 + n * (m_maxPow10 - m_minPow10));
    case TaperStepped: {
        // Whole steps; the power-of-two span reaches past the maximum, which is clamped.
        const float v = std::trunc(m_minimum + n * float(m_steps));
        return std::min(m_maximum, std::max(m_minimum, v));
    }
    default:
        return CustomFromNormalised(n);
    }
}

int32_t Parameter::FormatValue(float plain, float normalised, char* buffer, int32_t length)
{
    char text[kValueTextMax + 1] = {};
    int32_t k = 0;
    auto print = [&](const char* format, double v) {
        k = std::min(kValueTextMax, std::max(0, snprintf(text, sizeof text, format, v)));
    };
    switch (m_unit) {
    case UnitSwitch:
        print(plain == 0.0f ? "Off" : "On", 0.0);
        break;
    case UnitRatio: {
        const double r = 1.0 / (1.0 - double(plain));
        if (plain == 1.0f || std::fabs(r) > 100.0) {
            print("OO:1", 0.0);
            break;
        }
        print("%2.1f:1", r);
        if (k > length)
            print("%2.0f:1", r);
        if (k > length)
            print("%2.0f", r);
        break;
    }
    case UnitCustom:
        k = FormatCustomValue(plain, normalised, text, std::min(length, kValueTextMax));
        k = std::max(0, std::min(k, TextLength(text, kValueTextMax)));
        break;
    default:
        if (m_unit < UnitNone || m_unit > UnitCustom)
            break;
        // Three decimals, or fewer until the text fits; no decimals whatever the length.
        for (const char* format : {"%.3f", "%.2f", "%.1f", "%.0f"}) {
            print(format, double(plain));
            if (k <= length)
                break;
        }
        break;
    }
    CopyText(buffer, length, text, k);
    return k;
}

int32_t Parameter::GetUnitText(float* plain, float* normalised, char* buffer, int32_t length)
{
    if (buffer && length >= 0)
        buffer[0] = '\0';
    const char* unit = nullptr;
    float scaled = plain ? *plain : 0.0f;
    switch (m_unit) {
    case UnitTime: {
        const double v = scaled;
        if (v < 0.000001) {
            unit = "us";
            scaled = float(v * 1000000.0);
        } else if (v < 0.001) {
            unit = "ms";
            scaled = float(v * 1000.0);
        } else {
            unit = "s";
        }
        break;
    }
    case UnitSeconds: unit = "s"; break;
    case UnitMilliseconds: unit = "ms"; break;
    case UnitMicroseconds: unit = "us"; break;
    case UnitBPM: unit = "BPM"; break;
    case UnitDecibels: unit = "dB"; break;
    case UnitVolts: unit = "V"; break;
    case UnitAmps: unit = "A"; break;
    case UnitWatts: unit = "W"; break;
    case UnitOhms: unit = "Ohm"; break;
    case UnitFrequency:
        if (scaled > 1000.0f) {
            unit = "KHz";
            scaled = scaled * 0.001f;
        } else {
            unit = "Hz";
        }
        break;
    case UnitHertz: unit = "Hz"; break;
    case UnitKilohertz: unit = "KHz"; break;
    case UnitPercent: unit = "%"; break;
    case UnitCustom:
        return GetCustomUnitText(plain, normalised, buffer, length);
    default:
        return 0;
    }
    const int32_t n = int32_t(strlen(unit));
    // The percent sign asks for room for two characters, as its escaped form "%%" would.
    const int32_t room = m_unit == UnitPercent ? 2 : n;
    if (!plain || !buffer || length < room)
        return 0;
    CopyText(buffer, length, unit, n);
    *plain = scaled;
    return n;
}

void Parameter::GetLabel(float plain, float normalised, char* buffer, int32_t length)
{
    if (!buffer || length < 0)
        return;
    char unitText[kUnitTextMax + 1] = {};
    int32_t u = std::max(0, GetUnitText(&plain, &normalised, unitText, kUnitTextMax));
    u = std::min(u, TextLength(unitText, kUnitTextMax));

    char valueText[kValueTextMax + 1] = {};
    int32_t k = FormatValue(plain, normalised, valueText, std::min(length - u, kValueTextMax));
    k = std::max(0, std::min(k, kValueTextMax));
    if (u > 0 && k > length - u && k <= length) {
        // The value alone will be shown, but the call above copied only length - u characters of
        // it. Asked again with its own length, the same text is chosen and copied whole.
        k = std::max(0, std::min(FormatValue(plain, normalised, valueText, k), kValueTextMax));
    }

    if (u > 0 && length >= k + u + 1)
        snprintf(buffer, size_t(length) + 1, "%s %s", valueText, unitText);
    else if (u > 0 && length >= k + u)
        snprintf(buffer, size_t(length) + 1, "%s%s", valueText, unitText);
    else if (length >= k)
        CopyText(buffer, length, valueText, k);
    else
        buffer[0] = '\0';
}

void Parameter::GetCurrentLabel(char* buffer, int32_t length)
{
    const float n = GetNormalisedValue();
    GetLabel(FromNormalised(n), n, buffer, length);
}

void Parameter::ParseValue(const char* text, int32_t length)
{
    if (!text)
        return;
    switch (m_unit) {
    case UnitSwitch:
        ParseSwitchWords(text, length);
        break;
    case UnitCustom:
        ParseCustomValue(text, length);
        break;
    default:
        if (m_unit >= UnitNone && m_unit <= UnitRatio)
            SetValue(ParseEngineeringNumber(text, length));
        break;
    }
}

void Parameter::ParseSwitchWords(const char* text, int32_t length)
{
    const char c = length >= 1 ? text[0] : '\0';
    if (length <= 2) {
        SetValue(c == '0' ? m_minimum : m_maximum);
        return;
    }
    if (c == '0') {
        SetValue(m_minimum);
    } else if (c >= '1' && c <= '9') {
        SetValue(m_maximum);
    } else if (c == 'o' || c == 'O') {
        const char next = text[1];  // within the length, and text[0] is not the NUL
        SetValue(next == 'f' || next == 'F' ? m_minimum : m_maximum);
    }
}
