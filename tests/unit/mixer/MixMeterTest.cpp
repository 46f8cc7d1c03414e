#include "support/HalFixture.h"

#include "PAL/ParameterSet.h"
#include "resources/params/MainParamDescriptors.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// The mixer on screen and the simulated unit's output meter: a change of the main parameters goes
// out through the mix engine, and output 1&2's meter (slot 2, the left side) follows it.
class MixMeterTest : public HalTest {
protected:
    void SetUp() override
    {
        HalTest::SetUp();
        unit.SetDemoMeters(false);
        unit.SetPlaybackLevel(0, 0.4f);
        unit.SetInputLevel(0, 0.1f);
        unit.SetInputLevel(1, 0.2f);
    }

    // Playback 1&2 through the main fader into mix 1&2, no input, no dim, the level on the knob.
    void SetBase()
    {
        for (const auto& p : std::vector<std::pair<int, float>>{
                 {19, 1}, {9, 1}, {14, 0.5f}, {25, 0}, {30, 0}, {31, 0}, {50, 0}, {55, 1}, {59, 0}})
            set.SetParameter(p.first, p.second);
    }

    ParameterSet set{kMainParamDescriptors, kMainParamCount};
};

TEST_F(MixMeterTest, TheOutputMeterFollowsTheMix)
{
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> params;
        float level;
    };
    const float attenuatedHalf = std::pow(float(255 - 22) / 255.0f, 8.0f);  // output level 0.5
    const Case cases[] = {
        {"fader up", {}, 0.4f},
        {"fader at half (square law)", {{19, 0.5f}}, 0.1f},
        {"fader down", {{19, 0.0f}}, 0.0f},
        {"fader up again", {{19, 1.0f}}, 0.4f},
        {"muted", {{25, 1.0f}}, 0.0f},
        {"dimmed", {{59, 1.0f}}, 0.04f},
        {"another output soloed", {{31, 1.0f}}, 0.0f},
        {"this output soloed", {{30, 1.0f}}, 0.4f},
        {"inputs heard at the crossfade's middle", {{9, 0.5f}}, 0.7f},
        {"output level at half, not on the knob", {{55, 0.0f}, {0, 0.5f}}, 0.4f * attenuatedHalf},
    };
    MakeHal();
    SetBase();
    hal->SetMixParameters(&set);
    hal->GetMeterList()->SetEnabled(1, true);
    ASSERT_EQ(hal->Open(), 0);
    MeterList* meters = hal->GetMeterList();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetBase();
        for (const auto& p : c.params)
            set.SetParameter(p.first, p.second);
        EXPECT_TRUE(WaitFor([&] { return std::fabs(meters->Meter(2) - c.level) < 0.002f; }))
            << "meter " << meters->Meter(2) << ", expected " << c.level;
    }
}

}  // namespace
