// The mix-file reader on bytes from outside. The first byte picks how the rest is used: 0 as the file,
// 1 as the file with its length and sums made right, 2 laid (xor) over a sound file of the current
// values with its length and sums made right, so every check past the sums is reached.
// The values go to the main window's set and the eight real effect panels, whose reactions run.
// Holds: a rejected file changes no parameter; a loaded one leaves every value within 0..1.

#include "CtrlPanel/MixFile.h"
#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "PAL/ParameterSet.h"
#include "PAL/ViewLib/PageController.h"
#include "fuzz/SimulatedHal.h"
#include "platform/ByteOrder.h"
#include "platform/MessageSink.h"
#include "resources/params/MainParamDescriptors.h"

#include <wx/init.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct QuietSink : MessageSink {
    MessageAnswer ShowMessage(const std::string&, const std::string&, uint32_t) override { return MessageAnswer::Ok; }
};

// The nine sets as the application has them: the main window's set and the eight effect panels on their
// writer blocks, so a loaded file runs every panel's reactions. The unit is never opened.
struct Sets {
    Sets()
    {
        if (!wx.IsOk() || !CreateSimulatedHal())
            abort();
        main = std::make_unique<ParameterSet>(kMainParamDescriptors, kMainParamCount);
        owned.push_back(std::make_unique<PageController>(main.get(), nullptr));
        ParamWriter* reverb1 = Writer(0x401, 8);
        ParamWriter* shared = Writer(0x400, 1);
        owned.emplace_back(ReverbPanel::Create(reverb1, shared, true));
        owned.push_back(EqPanel::Create(Writer(0x200, 180), true));
        owned.push_back(EqPanel::Create(Writer(0x200, 180), false));
        owned.push_back(CompressorPanel::Create(Writer(0x300, 8), true));
        owned.push_back(CompressorPanel::Create(Writer(0x30a, 8), false));
        owned.emplace_back(AmpSimPanel::Create(Writer(0x500, 252), true));
        owned.emplace_back(AmpSimPanel::Create(Writer(0x5fb, 252), false));
        owned.emplace_back(ReverbPanel::Create(Writer(0x406, 8), shared, false));
        std::vector<PageController*> list;
        for (auto& c : owned)
            list.push_back(c.get());
        mix.SetControllers(list);
        mix.SetStoreHook({});
    }
    ParamWriter* Writer(uint32_t base, uint32_t count)
    {
        writers.push_back(std::make_unique<ParamWriter>(base, count));
        return writers.back().get();
    }
    std::vector<float> Values() const
    {
        std::vector<float> all;
        for (const auto& c : owned)
            for (int32_t i = 0; i < c->GetParameterCount(); ++i)
                all.push_back(c->GetParameter(i));
        return all;
    }

    wxInitializer wx;
    std::vector<std::unique_ptr<ParamWriter>> writers;
    std::unique_ptr<ParameterSet> main;
    std::vector<std::unique_ptr<PageController>> owned;
    QuietSink sink;
    MixFile mix{sink};
};

void FixSums(std::vector<uint8_t>& bytes)
{
    const size_t words = bytes.size() / 4;
    if (words < 5)
        return;
    PutLE32(&bytes[8], uint32_t(words * 4));
    size_t at = 5;
    for (uint32_t k = 0, count = GetLE32(&bytes[16]); k < count && k < 64 && at + 3 <= words; ++k) {
        const uint32_t length = GetLE32(&bytes[4 * at + 4]);
        if (length < 12 || length % 4 || at + length / 4 > words)
            break;
        uint32_t sum = 0;
        for (size_t i = 0; i < length / 4; ++i)
            sum += i == 2 ? 0 : GetLE32(&bytes[4 * (at + i)]);
        PutLE32(&bytes[4 * at + 8], sum);
        at += length / 4;
    }
    uint32_t sum = 0;
    for (size_t i = 0; i < words; ++i)
        sum += i == 3 ? 0 : GetLE32(&bytes[4 * i]);
    PutLE32(&bytes[12], sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Sets* s = new Sets;
    if (size == 0)
        return 0;
    const uint8_t mode = data[0] % 3;
    std::vector<uint8_t> bytes(data + 1, data + size);
    if (mode == 2) {
        std::vector<uint8_t> sound = s->mix.BuildMixImage(MixFile::kMagic, MixFile::kVersion);
        for (size_t i = 0; i < bytes.size() && i < sound.size(); ++i)
            sound[i] ^= bytes[i];
        if (bytes.size() > sound.size())
            sound.insert(sound.end(), bytes.begin() + long(sound.size()), bytes.end());
        bytes.swap(sound);
    }
    if (mode >= 1)
        FixSums(bytes);

    const std::vector<float> before = s->Values();
    FILE* file = fmemopen(bytes.empty() ? nullptr : bytes.data(), bytes.size(), "rb");
    if (!file)
        return 0;
    const MixLoadResult result = s->mix.ReadMix(MixFile::kMagic, MixFile::kVersion, file, false);
    fclose(file);
    const std::vector<float> after = s->Values();
    if (result != MixLoadResult::Loaded && memcmp(before.data(), after.data(), before.size() * sizeof(float)) != 0)
        abort();
    for (float v : after)
        if (!(v >= 0.0f && v <= 1.0f))
            abort();
    return 0;
}
