#include <gtest/gtest.h>

#include "platform/AudioHardware.h"
#include "platform/sim/SimAudioHardware.h"

#include <vector>

TEST(SimAudioHardware, IsTheDefaultAudioSideUntilAnotherIsInstalled)
{
    EXPECT_EQ(&GetAudioHardware(), &SimAudioHardware::Default());
    SimAudioHardware other(SimAudioHardware::Delivery::Synchronous);
    SetAudioHardware(&other);
    EXPECT_EQ(&GetAudioHardware(), &other);
    SetAudioHardware(nullptr);
    EXPECT_EQ(&GetAudioHardware(), &SimAudioHardware::Default());
}

TEST(SimAudioHardware, DspModeDecidesTheRatesTheDeviceTakes)
{
    const struct { int mode; double hz; int status; } cases[] = {
        {2, 44100, 0}, {2, 48000, 0}, {2, 88200, 0}, {2, 96000, 0}, {2, 176400, kAudioUnsupportedFormat},
        {2, 192000, kAudioUnsupportedFormat}, {2, 32000, kAudioUnsupportedFormat},
        {3, 176400, 0}, {3, 192000, 0}, {3, 48000, kAudioUnsupportedFormat}, {3, 96000, kAudioUnsupportedFormat},
        {0, 44100, kAudioUnsupportedFormat},
    };
    for (const auto& c : cases) {
        SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
        sim.SetUnitState(true, true, c.mode);
        EXPECT_EQ(sim.SetNominalRate(sim.UnitDevice(), c.hz), c.status) << "mode " << c.mode << " " << c.hz;
        double hz = 0;
        ASSERT_EQ(sim.GetNominalRate(sim.UnitDevice(), &hz), 0);
        if (c.status == 0) {
            EXPECT_EQ(hz, c.hz);
        }
    }
}

TEST(SimAudioHardware, ListenersHearTheirOwnDeviceAndPropertyUntilRemoved)
{
    SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
    sim.SetUnitState(true, true, 2);
    const AudioDeviceId unit = sim.UnitDevice();
    std::vector<AudioDeviceProperty> heard;
    AudioListenerId rate = 0, clock = 0;
    auto record = [&](AudioDeviceId d, AudioDeviceProperty p) {
        EXPECT_EQ(d, unit);
        heard.push_back(p);
    };
    ASSERT_EQ(sim.AddDeviceListener(unit, AudioDeviceProperty::NominalRate, record, &rate), 0);
    ASSERT_EQ(sim.AddDeviceListener(unit, AudioDeviceProperty::ClockSource, record, &clock), 0);
    AudioListenerId none = 0;
    EXPECT_EQ(sim.AddDeviceListener(unit + 100, AudioDeviceProperty::Running, record, &none), kAudioBadDevice);
    sim.SetDeviceNominalRate(48000);
    sim.SetDeviceNominalRate(48000);  // no change, no call
    sim.SetClockSourceExternal(true);
    sim.SetRunning(true);
    EXPECT_EQ(heard, (std::vector<AudioDeviceProperty>{AudioDeviceProperty::NominalRate,
                                                        AudioDeviceProperty::ClockSource}));
    sim.RemoveListener(rate);
    sim.SetDeviceNominalRate(96000);
    EXPECT_EQ(heard.size(), 2u);
    std::string name;
    uint32_t source = 0;
    ASSERT_EQ(sim.GetClockSource(unit, &source), 0);
    ASSERT_EQ(sim.GetClockSourceName(unit, source, &name), 0);
    EXPECT_EQ(name, "S/PDIF Ext Plug 3");
    sim.RemoveListener(clock);
    EXPECT_EQ(sim.ListenerCount(), 0);
}
