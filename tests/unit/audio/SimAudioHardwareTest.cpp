#include <gtest/gtest.h>

#include "platform/AudioHardware.h"
#include "platform/sim/SimAudioHardware.h"
#include "platform/sim/SimBackends.h"

#include <vector>

TEST(SimAudioHardware, IsTheAudioSideInUseOnceInstalled)
{
    SimAudioHardware audio(SimAudioHardware::Delivery::Synchronous);
    SimBackends::Install(nullptr, nullptr, &audio);
    EXPECT_EQ(&GetAudioHardware(), &audio);
    SimBackends::Uninstall();
}

TEST(SimAudioHardware, DspModeDecidesTheRatesTheDeviceTakes)
{
    const int bad = kAudioUnsupportedFormat;
    const struct { int mode; double hz; int status; double after; } cases[] = {
        {2, 96000, 0, 96000},      {2, 176400, bad, 44100}, {2, 32000, bad, 44100},
        {3, 192000, 0, 192000},    {3, 96000, bad, 176400}, {0, 48000, bad, 44100},
    };
    for (const auto& c : cases) {
        SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
        sim.SetUnitState(true, true, c.mode);
        EXPECT_EQ(sim.SetNominalRate(sim.UnitDevice(), c.hz), c.status) << "mode " << c.mode << " " << c.hz;
        EXPECT_EQ(sim.DeviceNominalRate(), c.after) << "mode " << c.mode << " " << c.hz;
    }
}

TEST(SimAudioHardware, OnTheExternalClockTheDeviceRunsAtItsRateAndRefusesRequests)
{
    SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
    sim.SetUnitState(true, true, 2);
    sim.SetExternalClockRate(48000);
    EXPECT_EQ(sim.DeviceNominalRate(), 44100);  // the internal clock still rules
    sim.SetClockSourceExternal(true);
    EXPECT_EQ(sim.DeviceNominalRate(), 48000);
    EXPECT_EQ(sim.SetNominalRate(sim.UnitDevice(), 44100), kAudioIllegalOperation);
    sim.SetExternalClockRate(96000);
    EXPECT_EQ(sim.DeviceNominalRate(), 96000);
    sim.SetExternalClockRate(192000);  // not a rate of the mode: the device keeps its rate
    EXPECT_EQ(sim.DeviceNominalRate(), 96000);
    sim.SetClockSourceExternal(false);
    EXPECT_EQ(sim.SetNominalRate(sim.UnitDevice(), 44100), 0);
    EXPECT_EQ(sim.DeviceNominalRate(), 44100);
}

TEST(SimAudioHardware, ListenersHearTheirOwnDeviceAndPropertyUntilRemoved)
{
    SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
    sim.SetUnitState(true, true, 2);
    const AudioDeviceId unit = sim.UnitDevice();
    std::vector<AudioDeviceProperty> heard;
    auto record = [&](AudioDeviceId d, AudioDeviceProperty p) {
        EXPECT_EQ(d, unit);
        heard.push_back(p);
    };
    AudioListenerId rate = 0, clock = 0, none = 0;
    ASSERT_EQ(sim.AddDeviceListener(unit, AudioDeviceProperty::NominalRate, record, &rate), 0);
    ASSERT_EQ(sim.AddDeviceListener(unit, AudioDeviceProperty::ClockSource, record, &clock), 0);
    EXPECT_EQ(sim.AddDeviceListener(unit + 100, AudioDeviceProperty::Running, record, &none), kAudioBadDevice);
    sim.SetDeviceNominalRate(48000);
    sim.SetDeviceNominalRate(48000);  // no change, no call
    sim.SetClockSourceExternal(true);
    sim.SetRunning(true);
    sim.RemoveListener(rate);
    sim.SetDeviceNominalRate(96000);
    EXPECT_EQ(heard, (std::vector<AudioDeviceProperty>{AudioDeviceProperty::NominalRate,
                                                        AudioDeviceProperty::ClockSource}));
    std::string name;
    ASSERT_EQ(sim.GetClockSourceName(unit, SimAudioHardware::kExternalClock, &name), 0);
    EXPECT_EQ(name, "S/PDIF Ext Plug 3");
    sim.RemoveListener(clock);
    EXPECT_EQ(sim.ListenerCount(), 0);
}
