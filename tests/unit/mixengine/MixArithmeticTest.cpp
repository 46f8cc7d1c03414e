#include <gtest/gtest.h>

#include "CtrlPanel/device/ItemAccess.h"
#include "CtrlPanel/effects/MixEngine.h"
#include "PAL/ParameterSet.h"
#include "resources/params/MainParamDescriptors.h"

#include <map>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<uint32_t, uint32_t>>;
using Changes = std::vector<std::pair<int, float>>;

// A unit that keeps what is written to it and answers reads of those items only.
class FakeItems : public ItemAccess {
public:
    int GetValues(ItemValue* pairs, uint32_t n) override
    {
        for (uint32_t i = 0; i < n; ++i)
            if (GetValue(&pairs[i]) != 0)
                return -1;
        return 0;
    }
    int GetValue(ItemValue* pair) override
    {
        auto held = items.find(pair->item);
        if (held == items.end())
            return -1;
        pair->value = held->second;
        return 0;
    }
    int SetValue(const ItemValue& pair) override { return SetValuesDirect(&pair, 1); }
    int SetValuesDirect(const ItemValue* pairs, uint32_t n) override
    {
        for (uint32_t i = 0; i < n; ++i) {
            items[pairs[i].item] = pairs[i].value;
            written.emplace_back(pairs[i].item, pairs[i].value);
        }
        return 0;
    }
    int GetSampleRate() const override { return 44100; }
    void Close() override {}

    std::map<uint32_t, uint32_t> items;
    Pairs written;
};

// From the defaults (mono inputs, crossfade fully to playback, dim on, the unit's level knob on for
// outputs 1&2 to 7&8) and a first cycle that sent everything, one cycle after the changes.
TEST(MixEngineOnFakeItems, ParametersBecomeTheirItemsWithoutAHal)
{
    const uint32_t full = 0x7FFF;
    const struct {
        const char* what;
        Changes before;  // set before the engine starts
        Changes changes;
        Pairs sent;
    } cases[] = {
        {"nothing changed", {}, {}, {}},
        {"custom playback 3&4 into mix 1&2 at half: a square law", {}, {{70, 0.5f}}, {{41, 8191}}},
        {"crossfade at half: inputs 1 and 2 at full beside the playback", {}, {{9, 0.5f}}, {{1, full}, {16, full}}},
        {"balance fully to input 2", {}, {{9, 0.5f}, {14, 1.0f}}, {{16, full}}},
        {"reverb send at the reverb level, which output 9&10 also takes as its level",
         {},
         {{9, 0.5f}, {35, 1.0f}, {4, 0.5f}},
         {{1, full}, {16, full}, {11, 16383}, {26, 16383}, {59, 0x16}}},
        {"a stereo pair: its two sides go to the stereo items", {{24, 1.0f}}, {{9, 0.5f}}, {{26, full}, {31, full}}},
        {"mute 3&4: mute and zero attenuation in its word", {}, {{26, 1.0f}}, {{56, 0x0E000000}}},
        {"dim off: output 1&2 loses its dim bit", {}, {{59, 0.0f}}, {{55, 0x0C000000}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeItems unit;
        MixEngine engine(unit);
        ParameterSet set(kMainParamDescriptors, kMainParamCount);
        for (const auto& p : c.before)
            set.SetParameter(p.first, p.second);
        engine.SetParameterSet(&set);
        engine.SetSampleRate(44100);
        engine.Refresh();
        unit.written.clear();
        for (const auto& p : c.changes)
            set.SetParameter(p.first, p.second);
        engine.Refresh();
        EXPECT_EQ(unit.written, c.sent);
        engine.SetParameterSet(nullptr);
    }
}

}  // namespace
