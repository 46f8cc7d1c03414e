#include "support/HalFixture.h"

#include <cmath>

namespace {

class MeterListTest : public HalTest {
protected:
    void SetUp() override
    {
        HalTest::SetUp();
        unit.SetDemoMeters(false);
    }
    // Waits for n more meter reads by the polling thread; returns the last one.
    SimTransaction NextMeterRead()
    {
        unit.ClearLog();
        SimTransaction found;
        EXPECT_TRUE(WaitFor([&] {
            for (auto& t : PollingLog())
                if (!t.pairs.empty() && !Touches(t, 79) && !Touches(t, 61) && !Touches(t, 55)) {
                    found = t;
                    return true;
                }
            return false;
        }));
        return found;
    }
};

TEST_F(MeterListTest, TheMainGroupIsReadInOneAvcCommandAndScaled)
{
    unit.SetItem(65, 0x80000000u);
    unit.SetItem(503, 65535);
    unit.SetItem(67, 0x40000000u);
    OpenHal();
    MeterList* meters = hal->GetMeterList();
    meters->SetEnabled(1, true);
    SimTransaction t = NextMeterRead();
    EXPECT_EQ(t.kind, SimXfer::AVC);
    ASSERT_EQ(t.pairs.size(), 6u);
    const uint32_t order[6] = {64, 65, 66, 67, 503, 504};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(t.pairs[i].item, order[i]);
    ASSERT_TRUE(WaitFor([&] { return meters->Meter(0) > 0.99f; }));
    EXPECT_FLOAT_EQ(meters->Meter(0), 1.0f);
    EXPECT_FLOAT_EQ(meters->Meter(1), 0.5f);
    EXPECT_FLOAT_EQ(meters->Meter(4), 1.0f);
}

TEST_F(MeterListTest, EveryMeterItemLandsInItsSlotWithItsScale)
{
    struct Case {
        uint32_t item;
        int slot;
        float level;
    };
    // Output 1&2 (64 left, 66 right) is the mix: a stereo pair straight through at the knob's half.
    const float knob = 4096.0f / 8191.0f;
    const Case cases[] = {
        {65, 0, 0.25f},   {67, 1, 0.75f},   {64, 2, 0.25f * knob}, {66, 3, 0.75f * knob},
        {503, 4, 0.05f},  {504, 5, 0.10f},  {788, 6, 0.15f},  {789, 7, 0.20f},  {790, 8, 0.30f},
        {791, 9, 0.35f},  {792, 10, 0.40f}, {793, 11, 0.45f}, {518, 12, 0.50f}, {519, 13, 0.55f},
        {520, 14, 0.60f}, {521, 15, 0.65f}, {1036, 16, 0.70f}, {1037, 17, 0.80f},
    };
    OpenHal();
    unit.SetItem(63, 0);                   // a stereo pair
    unit.SetItem(25 + 1, 32767);           // unprocessed into mix 1&2
    unit.SetItem(55, 1u << 27);            // output 1&2 on the level knob
    unit.TurnLevelKnob(0.5f);
    unit.SetInputLevel(0, 0.25f);
    unit.SetInputLevel(1, 0.75f);
    for (const Case& c : cases)
        if (c.item >= 503)
            unit.SetItem(c.item, uint32_t(std::lround(c.level * 65535.0f)));
    MeterList* meters = hal->GetMeterList();
    for (uint32_t g = 1; g <= 7; ++g)
        meters->SetEnabled(g, true);
    ASSERT_TRUE(WaitFor([&] { return meters->Meter(17) > 0.7f; }));
    for (const Case& c : cases)
        EXPECT_NEAR(meters->Meter(c.slot), c.level, 1e-4) << "item " << c.item << " slot " << c.slot;
}

TEST_F(MeterListTest, DeviceEventsClearTheMeters)
{
    MakeHal();
    MeterList* meters = hal->GetMeterList();
    for (int event : {kDeviceEventOpened, kDeviceEventFirmwareUpdate}) {
        SCOPED_TRACE(event);
        for (int i = 0; i < kMeterSlots; ++i)
            meters->SetMeter(i, 0.5f);
        meters->OnDeviceEvent(event);
        for (int i = 0; i < kMeterSlots; ++i)
            EXPECT_FLOAT_EQ(meters->Meter(i), (i == 7 || i == 10) ? 1.0f : 0.0f) << i;
    }
}

TEST_F(MeterListTest, GroupsAreReadInGroupOrderAndOnlyWhenEnabled)
{
    MakeHal();
    MeterList* meters = hal->GetMeterList();
    meters->SetEnabled(7, true);
    meters->SetEnabled(2, true);
    ASSERT_EQ(hal->Open(), 0);
    // Four items go as four quadlet reads, in group order.
    SimTransaction first = NextMeterRead();
    EXPECT_EQ(first.kind, SimXfer::ReadQuadlet);
    std::vector<uint32_t> items;
    ASSERT_TRUE(WaitFor([&] {
        items.clear();
        for (auto& t : PollingLog())
            if (!t.pairs.empty() && t.pairs[0].item != 79)
                items.push_back(t.pairs[0].item);
        return items.size() >= 4;
    }));
    items.resize(4);
    EXPECT_EQ(items, (std::vector<uint32_t>{788, 789, 790, 1037}));

    meters->SetDisabled(true);
    unit.ClearLog();
    const uint64_t until = clock->NowMs() + 300;
    ASSERT_TRUE(WaitFor([&] { return clock->NowMs() > until; }));
    for (auto& tr : PollingLog())
        EXPECT_FALSE(Touches(tr, 788));
}

TEST_F(MeterListTest, MovesClearTheMetersExceptAMoveOfTheFrontGroup)
{
    MakeHal();
    MeterList* meters = hal->GetMeterList();
    meters->SetMeter(3, 0.7f);
    meters->MoveToFront(1);  // already in front
    EXPECT_FLOAT_EQ(meters->Meter(3), 0.7f);
    meters->SetEnabled(4, true);
    meters->MoveToFront(4);
    EXPECT_FLOAT_EQ(meters->Meter(3), 0.0f);
    EXPECT_FLOAT_EQ(meters->Meter(7), 1.0f);
    EXPECT_FLOAT_EQ(meters->Meter(10), 1.0f);
    auto entries = meters->Entries();
    EXPECT_EQ(entries.front().group, 4u);
    EXPECT_TRUE(entries.front().enabled);
    meters->SetMeter(3, 0.7f);
    meters->MoveToBack(7);  // already last
    EXPECT_FLOAT_EQ(meters->Meter(3), 0.7f);
    meters->MoveToBack(4);
    EXPECT_EQ(meters->Entries().back().group, 4u);
    EXPECT_TRUE(meters->IsEnabled(4));
    EXPECT_FALSE(meters->IsEnabled(9));
    EXPECT_EQ(meters->Entries().size(), 7u);
}

TEST_F(MeterListTest, TheRateDecidesHowManyGroupsAreRead)
{
    struct Case {
        int rate;
        int mode;
        uint32_t count;
    };
    for (const Case& c : {Case{44100, 2, 7}, Case{48000, 2, 7}, Case{88200, 2, 7}, Case{96000, 2, 1},
                          Case{176400, 3, 0}, Case{192000, 3, 0}}) {
        SCOPED_TRACE(c.rate);
        unit.SetDspMode(c.mode);
        audio.SetDeviceNominalRate(c.rate);
        MakeHal();
        ASSERT_TRUE(WaitFor([&] { return hal->GetMonitor()->GetNominalSampleRate() == c.rate; }));
        ASSERT_EQ(hal->Open(), 0);
        EXPECT_EQ(hal->GetMeterList()->CountToRead(), c.count);
        VelbrinHAL::DestroyInstance();
    }
}

TEST_F(MeterListTest, AtNinetySixKilohertzOnlyTheFrontGroupIsRead)
{
    audio.SetDeviceNominalRate(96000);
    MakeHal();
    ASSERT_TRUE(WaitFor([&] { return hal->GetMonitor()->GetNominalSampleRate() == 96000; }));
    ASSERT_EQ(hal->Open(), 0);
    MeterList* meters = hal->GetMeterList();
    meters->SetEnabled(1, true);
    meters->SetEnabled(6, true);
    meters->MoveToFront(6);
    SimTransaction t = NextMeterRead();
    ASSERT_EQ(t.pairs.size(), 1u);
    EXPECT_EQ(t.pairs[0].item, 1036u);
}

}  // namespace
