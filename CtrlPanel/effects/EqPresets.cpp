#include "CtrlPanel/effects/EqPresets.h"

#include <cstring>
#include <string>

#include "CtrlPanel/effects/CompPresets.h"
#include "PAL/Parameter.h"
#include "PAL/ViewLib/PageController.h"
#include "platform/Assert.h"

namespace {

constexpr size_t kMaxLine = 255;
constexpr size_t kMaxText = 31;
constexpr size_t kBands = 4;

void CopyUpper(char* to, const std::string& from)
{
    size_t n = 0;
    for (; n < from.size() && from[n] && n < kMaxText; ++n) {
        const char c = from[n];
        to[n] = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    to[n] = '\0';
}

// A new preset with the parameter indices of each band position and everything else 0.
std::unique_ptr<EqPreset> BlankPreset()
{
    auto preset = std::make_unique<EqPreset>();
    std::memset(preset.get(), 0, sizeof(EqPreset));
    for (size_t k = 0; k < kBands; ++k) {
        EqPresetBand& band = preset->bands[k];
        band.freqParam = int32_t(9 + 3 * k);
        band.gainParam = int32_t(10 + 3 * k);
        band.qParam = int32_t(11 + 3 * k);
        band.controlParam = int32_t(2 + k);
    }
    return preset;
}

std::unique_ptr<EqPreset> BuiltInPreset()
{
    static const char* const captions[kBands] = {"LOW", "MID 1", "MID 2", "HIGH"};
    static const float freqs[kBands] = {100.0f, 500.0f, 5000.0f, 15000.0f};
    auto preset = BlankPreset();
    CopyUpper(preset->name, "MISSING CSV");
    for (size_t k = 0; k < kBands; ++k) {
        EqPresetBand& band = preset->bands[k];
        band.controlTarget = 1;
        band.freq = freqs[k];
        band.gain = 0.0f;
        band.q = 1.0f;
        band.controlMin = -18.0f;
        band.controlMax = 18.0f;
        CopyUpper(preset->captions[k], captions[k]);
    }
    return preset;
}

// One line's label and up to four band fields (absent fields are empty).
struct Fields {
    std::string label;
    std::string band[kBands];
};

Fields Split(const std::string& line)
{
    Fields fields;
    size_t index = 0;
    for (char c : line) {
        if (c == ',') {
            if (++index > kBands)
                break;
        } else if (index == 0) {
            fields.label.push_back(c);
        } else {
            fields.band[index - 1].push_back(c);
        }
    }
    return fields;
}

// EqPresetList::ApplyBands for one band.
void ApplyBand(EqPresetBand& band, PageController& panel)
{
    const int32_t indices[3] = {band.freqParam, band.gainParam, band.qParam};
    const float values[3] = {band.freq, band.gain, band.q};
    float* const saved[3] = {&band.savedFreqDefault, &band.savedGainDefault, &band.savedQDefault};
    Parameter* params[3];
    for (int i = 0; i < 3; ++i) {
        params[i] = panel.GetParameterObject(indices[i]);
        if (!params[i])
            return;
    }
    // A frequency default is never 0 (the ranges are positive), so 0 marks defaults not yet saved.
    if (band.savedFreqDefault == 0.0f)
        for (int i = 0; i < 3; ++i)
            *saved[i] = params[i]->GetDefaultValue();
    for (int i = 0; i < 3; ++i) {
        params[i]->SetDefaultValue(values[i]);
        params[i]->SetValue(values[i]);
    }
    for (int i = 0; i < 3; ++i)
        panel.RefreshParameter(indices[i], false);
    if (Parameter* control = panel.GetParameterObject(band.controlParam)) {
        control->SetValue(0.5f);
        panel.RefreshParameter(band.controlParam, false);
    }
}

void ApplyBandDefaults(const EqPresetBand& band, PageController& panel, bool restore)
{
    if (restore && band.savedFreqDefault == 0.0f)
        return;
    const int32_t indices[3] = {band.freqParam, band.gainParam, band.qParam};
    const float preset[3] = {band.freq, band.gain, band.q};
    const float saved[3] = {band.savedFreqDefault, band.savedGainDefault, band.savedQDefault};
    for (int i = 0; i < 3; ++i)
        if (Parameter* param = panel.GetParameterObject(indices[i]))
            param->SetDefaultValue(restore ? saved[i] : preset[i]);
}

void ApplyBandControl(const EqPresetBand& band, PageController& panel, float position)
{
    const float v = band.controlMin + (band.controlMax - band.controlMin) * position;
    int32_t target = -1;
    switch (band.controlTarget) {
    case 0: target = band.freqParam; break;
    case 1: target = band.gainParam; break;
    case 2: target = band.qParam; break;
    default: return;
    }
    if (Parameter* param = panel.GetParameterObject(target)) {
        param->SetValue(v);
        panel.RefreshParameter(target, false);
    }
}

}  // namespace

EqPresetList::EqPresetList(const char* text, size_t length)
{
    m_presets.push_back(BuiltInPreset());
    if (!text)
        return;

    std::unique_ptr<EqPreset> preset;
    int lineOfPreset = 0;
    auto takeLine = [&](const std::string& line) {
        const Fields fields = Split(line);
        if (++lineOfPreset == 1) {
            preset = BlankPreset();
            CopyUpper(preset->name, fields.label);
            return;
        }
        for (size_t k = 0; k < kBands; ++k) {
            const std::string& field = fields.band[k];
            EqPresetBand& band = preset->bands[k];
            switch (lineOfPreset) {
            case 2:
                if (k == 0)
                    preset->lowType = field == "Filter" ? 4 : field == "Shelf" ? 2 : 0;
                else if (k == 3)
                    preset->highType = field == "Filter" ? 3 : field == "Shelf" ? 1 : 0;
                break;
            case 3: band.freq = ReadPresetNumber(field.c_str()); break;
            case 4: band.gain = ReadPresetNumber(field.c_str()); break;
            case 5: band.q = ReadPresetNumber(field.c_str()); break;
            case 6: CopyUpper(preset->captions[k], field); break;
            case 7: band.controlTarget = field == "Gain" ? 1 : field == "Q" ? 2 : 0; break;
            case 8: band.controlMin = ReadPresetNumber(field.c_str()); break;
            case 9: band.controlMax = ReadPresetNumber(field.c_str()); break;
            }
        }
        if (lineOfPreset == 9) {
            m_presets.push_back(std::move(preset));
            lineOfPreset = 0;
        }
    };

    std::string line;
    auto endLine = [&]() {
        if (line.size() >= 4)
            takeLine(line);
        line.clear();
    };
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r')
            endLine();
        else if (line.size() < kMaxLine)
            line.push_back(c);
    }
    endLine();
}

EqPreset* EqPresetList::Get(size_t k) const
{
    VELBRIN_ASSERT(k < m_presets.size());
    return m_presets[k].get();
}

void EqPresetList::ApplyBands(EqPreset& preset, PageController& panel)
{
    for (EqPresetBand& band : preset.bands)
        ApplyBand(band, panel);
}

void EqPresetList::ApplyDefaults(const EqPreset& preset, PageController& panel, bool restore)
{
    for (const EqPresetBand& band : preset.bands)
        ApplyBandDefaults(band, panel, restore);
}

void EqPresetList::ApplyControl(const EqPreset& preset, PageController& panel, int32_t k, float position)
{
    if (k >= 1 && k <= int32_t(kBands))
        ApplyBandControl(preset.bands[k - 1], panel, position);
}
