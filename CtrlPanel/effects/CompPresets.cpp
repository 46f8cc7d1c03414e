#include "CtrlPanel/effects/CompPresets.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "PAL/Parameter.h"
#include "PAL/ViewLib/PageController.h"
#include "PAL/ViewLib/UnitValue.h"
#include "platform/Assert.h"
#include "resources/params/CompressorParamDescriptors.h"

namespace {

constexpr size_t kMaxLine = 255;
constexpr size_t kMaxField = 63;
constexpr size_t kMaxName = 31;

float Exponent(float atOne, float atHalf, float atZero)
{
    const double span = double(atOne) - double(atZero);
    const double part = double(atHalf) - double(atZero);
    if (span == 0.0 || !(part / span > 0.0 && part / span < 1.0))
        return 1.0f;
    return float(std::log(part / span) / std::log(0.5));
}

void CopyUpper(char* to, const char* from, size_t limit)
{
    size_t n = 0;
    for (; from[n] && n < limit; ++n) {
        const char c = from[n];
        to[n] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    to[n] = '\0';
}

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',')
            fields.emplace_back();
        else if (fields.back().size() < kMaxField)
            fields.back().push_back(c);
    }
    return fields;
}

// Sets the plain value (and the default when asked) without notification, then refreshes it through
// the panel: its controls, then its observers (the panel's handler among them).
void SetAndRefresh(PageController& panel, int32_t index, float value, bool asDefault)
{
    Parameter* parameter = panel.GetParameterObject(index);
    if (!parameter)
        return;
    if (asDefault)
        parameter->SetDefaultValue(value);
    parameter->SetValue(value);
    panel.RefreshParameter(index, false);
}

float OnCurve(float atZero, float atOne, float exponent, float amount)
{
    return float(double(atZero) + (double(atOne) - double(atZero)) * std::pow(double(amount), double(exponent)));
}

}  // namespace

float ReadPresetNumber(const char* field)
{
    if (!field)
        return 0.0f;
    while (*field == ' ' || (*field >= '\t' && *field <= '\r'))
        ++field;
    if (*field == '+' && field[1] != '-')
        ++field;
    float value = 0.0f;
    const auto result = std::from_chars(field, field + std::strlen(field), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0f;
    return value;
}

CompPreset::CompPreset(const char* presetName, float thresholdAt1_, float thresholdAtHalf, float thresholdAt0_,
                       float makeupAt1_, float makeupAtHalf, float makeupAt0_, float ratio_, float attack_,
                       float release_, bool builtIn_)
    : thresholdAt1(thresholdAt1_), thresholdAt0(thresholdAt0_), makeupAt1(makeupAt1_), makeupAt0(makeupAt0_),
      ratio(ratio_), attack(attack_), release(release_), builtIn(builtIn_),
      thresholdExponent(Exponent(thresholdAt1_, thresholdAtHalf, thresholdAt0_)),
      makeupExponent(Exponent(makeupAt1_, makeupAtHalf, makeupAt0_))
{
    CopyUpper(name, presetName ? presetName : "", kMaxName);
}

CompPresetList::CompPresetList(const char* text, size_t length)
{
    m_presets.push_back(std::make_unique<CompPreset>("FLAT", -30.0f, -15.0f, 0.0f, 10.0f, 5.0f, 0.0f, 0.5f, 15.0f,
                                                     0.5f, true));
    if (!text)
        return;

    // Threshold at 0, 0.5, 1; makeup at 0, 0.5, 1; ratio; attack; release.
    float values[9] = {};
    std::string name;
    int lineOfPreset = 0;
    auto takeLine = [&](const std::string& line) {
        const std::vector<std::string> fields = SplitFields(line);
        ++lineOfPreset;
        if (lineOfPreset == 1) {
            name = fields[0];
        } else if (lineOfPreset <= 3) {
            float* curve = values + 3 * (lineOfPreset - 2);
            for (size_t i = 1; i < fields.size(); ++i)
                curve[i < 3 ? i - 1 : 2] = ReadPresetNumber(fields[i].c_str());
        } else if (fields.size() > 1) {
            values[6 + (lineOfPreset - 4)] = ReadPresetNumber(fields[1].c_str());
        }
        if (lineOfPreset == 6) {
            m_presets.push_back(std::make_unique<CompPreset>(name.c_str(), values[2], values[1], values[0],
                                                             values[5], values[4], values[3], values[6],
                                                             values[7], values[8], false));
            lineOfPreset = 0;
        }
    };

    std::string line;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            if (line.size() > 1)
                takeLine(line);
            line.clear();
        } else if (line.size() < kMaxLine) {
            line.push_back(c);
        }
    }
    if (!line.empty())
        takeLine(line);
}

const CompPreset* CompPresetList::Get(size_t k) const
{
    VELBRIN_ASSERT(k < m_presets.size());
    return m_presets[k].get();
}

void CompPresetList::Apply(const CompPreset& preset, PageController& panel)
{
    SetAndRefresh(panel, CompressorParam::Ratio, preset.ratio, true);
    SetAndRefresh(panel, CompressorParam::ReleaseTime, preset.release, true);
    SetAndRefresh(panel, CompressorParam::AttackTime, preset.attack, true);
    SetAndRefresh(panel, CompressorParam::Amount, preset.builtIn ? 0.0f : 0.5f, false);
}

void CompPresetList::ApplyRanged(const CompPreset& preset, PageController& panel, float amount)
{
    const float a = SanitiseUnit(amount);
    SetAndRefresh(panel, CompressorParam::Threshold,
                  OnCurve(preset.thresholdAt0, preset.thresholdAt1, preset.thresholdExponent, a), false);
    SetAndRefresh(panel, CompressorParam::MakeupGain,
                  OnCurve(preset.makeupAt0, preset.makeupAt1, preset.makeupExponent, a), false);
}
