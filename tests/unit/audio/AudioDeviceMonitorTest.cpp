#include <gtest/gtest.h>

#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "platform/sim/SimAudioHardware.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// The simulation, keeping the first device listener the monitor adds and counting the listener
// calls that returned.
class CountingSim : public SimAudioHardware {
public:
    using SimAudioHardware::SimAudioHardware;
    AudioListenerId AddDeviceListListener(std::function<void()> onChange) override
    {
        return SimAudioHardware::AddDeviceListListener([this, onChange] { onChange(); ++returned; });
    }
    int AddDeviceListener(AudioDeviceId device, AudioDeviceProperty property, DeviceListener onChange,
                          AudioListenerId* id) override
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!firstListener)
                firstListener = onChange;
        }
        auto counted = [this, onChange](AudioDeviceId d, AudioDeviceProperty p) { onChange(d, p); ++returned; };
        return SimAudioHardware::AddDeviceListener(device, property, counted, id);
    }
    std::atomic<int> returned{0};
    DeviceListener firstListener;  // read once the monitor is built

private:
    std::mutex m_lock;
};

// The unit on the bus with its DSP booted in mode 2, at 48000 Hz, notifications delivered at once.
class MonitorTest : public testing::Test {
protected:
    MonitorTest() : sim(SimAudioHardware::Delivery::Synchronous)
    {
        sim.AddOtherDevice("Built-in Output");
        sim.SetDeviceNominalRate(48000.0);
        sim.SetUnitState(true, true, 2);
    }
    CountingSim sim;
};

// Polls (bounded) until the condition holds.
bool WaitUntil(const std::function<bool()>& condition)
{
    for (int i = 0; i < 10000 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return condition();
}

}  // namespace

TEST(AudioDeviceMonitorNames, OnlyNamesBeginningWithTheSevenCharactersQualify)
{
    const struct { const char* name; bool qualifies; } cases[] = {
        {"Velbrin", true}, {"Velbrin Audio", true}, {"Velbrin2", true},
        {"Velbri", false}, {"velbrin Audio", false}, {"My Velbrin", false}, {"", false},
    };
    for (const auto& c : cases) {
        SimAudioHardware sim(SimAudioHardware::Delivery::Synchronous);
        sim.AddOtherDevice("Built-in Output");
        sim.SetDeviceName(c.name);
        sim.SetUnitState(true, true, 2);
        sim.SetRunning(true);
        AudioDeviceMonitor monitor(sim);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(monitor.HasDevice(), c.qualifies);
        EXPECT_EQ(monitor.GetNominalSampleRate(), c.qualifies ? 44100 : 0);  // primed on finding
        EXPECT_EQ(monitor.IsRunning(), c.qualifies);
        EXPECT_EQ(sim.ListenerCount(), c.qualifies ? 4 : 1);  // the list, then rate, clock source and running
    }
}

TEST_F(MonitorTest, ExternalClockFollowsTheNameOfTheCurrentClockSource)
{
    const struct { const char* externalName; bool external; } cases[] = {
        {"S/PDIF Ext Plug 3", true}, {"Ext Plug 3", true}, {"Ext Plug 31", false}, {"xt Plug 3", false},
    };
    AudioDeviceMonitor monitor(sim);
    for (const auto& c : cases) {
        sim.SetClockSourceNames("Internal", c.externalName);
        sim.SetClockSourceExternal(true);
        EXPECT_EQ(monitor.IsExternalClockSource(), c.external) << "\"" << c.externalName << "\"";
        sim.SetClockSourceExternal(false);
        EXPECT_FALSE(monitor.IsExternalClockSource());
    }
    sim.SetClockSourceNames("Internal Ext Plug 3", "S/PDIF");  // the rule reads names, not the selection
    EXPECT_TRUE(monitor.IsExternalClockSource());
}

TEST_F(MonitorTest, SetRateAnswersZeroThreeOrOneAndTheStoredRateFollowsTheDevice)
{
    AudioDeviceMonitor monitor(sim);
    EXPECT_EQ(monitor.SetNominalSampleRate(96000), 0);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 96000);
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 3);  // mode 2 does not take it
    sim.FailNextRateRequest(kAudioError);
    EXPECT_EQ(monitor.SetNominalSampleRate(44100), 1);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 96000);

    sim.SetUnitState(true, true, 3);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 176400);
    EXPECT_FALSE(monitor.IsRateUpTo96k());
    EXPECT_EQ(monitor.SetNominalSampleRate(48000), 3);
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 0);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 192000);
}

TEST_F(MonitorTest, RateIsTruncatedToWholeHertz)
{
    AudioDeviceMonitor monitor(sim);
    const struct { double reported; int stored; bool upTo96k; } cases[] = {
        {96000.99, 96000, true}, {96001.0, 96001, false}, {NAN, 0, true}, {1e12, 0, true},
    };
    for (const auto& c : cases) {
        sim.SetDeviceNominalRate(c.reported);
        EXPECT_EQ(monitor.GetNominalSampleRate(), c.stored) << c.reported;
        EXPECT_EQ(monitor.IsRateUpTo96k(), c.upTo96k) << c.reported;
    }
}

TEST_F(MonitorTest, DeviceThatDisappearsAndComesBackIsFollowedUnderItsNewId)
{
    sim.SetRunning(true);
    AudioDeviceMonitor monitor(sim);
    const AudioDeviceId first = sim.UnitDevice();

    sim.SetUnitState(false, false, 2);
    EXPECT_FALSE(monitor.HasDevice());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 0);
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_TRUE(monitor.IsRateUpTo96k());
    EXPECT_EQ(sim.ListenerCount(), 1);  // the old device's listeners are gone
    const int requests = sim.RateRequests();
    EXPECT_EQ(monitor.SetNominalSampleRate(48000), 1);
    EXPECT_EQ(sim.RateRequests(), requests);  // nothing asked without a device

    sim.SetUnitState(true, false, 2);  // on the bus, DSP not booted yet
    EXPECT_FALSE(monitor.HasDevice());
    sim.SetDeviceNominalRate(88200.0);
    sim.SetUnitState(true, true, 2);
    EXPECT_NE(sim.UnitDevice(), first);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 88200);
    EXPECT_EQ(sim.ListenerCount(), 4);
    EXPECT_EQ(monitor.SetNominalSampleRate(44100), 0);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 44100);
}

TEST_F(MonitorTest, FailedDeviceListReadLeavesTheRecordAsItWas)
{
    AudioDeviceMonitor monitor(sim);
    sim.FailNextDeviceListReads(1);
    sim.SetUnitState(false, false, 2);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);
    sim.AddOtherDevice("Headphones");  // the next list change searches again
    EXPECT_FALSE(monitor.HasDevice());
}

TEST_F(MonitorTest, DeviceWhoseListenersCannotAllBeAddedIsPassedOverWithoutLeftovers)
{
    sim.SetUnitState(false, false, 2);
    const AudioDeviceId spare = sim.AddOtherDevice("Velbrin Spare");  // listed before the unit's device
    sim.SetUnitState(true, true, 2);
    sim.FailNextListenerAdds(1, 1);  // the spare's rate listener is added, its clock listener is not
    AudioDeviceMonitor monitor(sim);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);  // the unit's device, not the spare at 44100
    EXPECT_EQ(sim.ListenerCount(), 4);
    // A call of the spare's dropped listener (as one already on its way would be) changes nothing.
    ASSERT_TRUE(sim.firstListener);
    sim.firstListener(spare, AudioDeviceProperty::NominalRate);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);
}

TEST(AudioDeviceMonitorThreads, FollowsNotificationsFromTheAudioThreadWhileQueried)
{
    SimAudioHardware sim;  // notifications on its own thread
    sim.SetUnitState(true, true, 2);
    AudioDeviceMonitor monitor(sim);
    std::thread device([&] {
        for (int i = 0; i < 200; ++i) {
            sim.SetDeviceNominalRate(i % 2 ? 48000.0 : 96000.0);
            sim.SetRunning(i % 2);
            if (i % 50 == 0) {
                sim.SetUnitState(false, false, 2);
                sim.SetUnitState(true, true, 2);
            }
        }
        sim.SetClockSourceExternal(true);
        sim.SetUnitState(true, true, 3);  // back under a new id, at 176400 Hz, not running
    });
    for (int i = 0; i < 2000; ++i) {
        const int rate = monitor.GetNominalSampleRate();
        EXPECT_TRUE(rate == 0 || rate == 44100 || rate == 48000 || rate == 96000 || rate == 176400) << rate;
        monitor.IsRunning();
        monitor.IsExternalClockSource();
    }
    device.join();
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 176400);
    EXPECT_TRUE(monitor.IsExternalClockSource());
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 1);  // the external clock decides the rate
    sim.SetClockSourceExternal(false);
    sim.SetRunning(true);
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 0);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 192000);
    EXPECT_TRUE(monitor.IsRunning());
}

TEST(AudioDeviceMonitorThreads, DestructionWaitsForACallbackInFlight)
{
    // A device listener held reading the device's new rate; the list listener held priming a new device.
    for (bool search : {false, true}) {
        SCOPED_TRACE(search ? "device search" : "device listener");
        CountingSim sim;
        sim.SetUnitState(!search, !search, 2);
        auto monitor = std::make_unique<AudioDeviceMonitor>(sim);
        ASSERT_EQ(monitor->HasDevice(), !search);
        sim.HoldPropertyReads(true);
        if (search)
            sim.SetUnitState(true, true, 2);
        else
            sim.SetDeviceNominalRate(96000.0);
        ASSERT_TRUE(WaitUntil([&] { return sim.HeldReads() == 1; }));
        const int before = sim.returned;
        int returnedWhenDestroyed = -1;
        std::thread destroyer([&] {
            monitor.reset();
            returnedWhenDestroyed = sim.returned;
        });
        // The destructor removes what it can, then waits for the held call.
        ASSERT_TRUE(WaitUntil([&] { return sim.ListenerCount() <= (search ? 3 : 2); }));
        sim.HoldPropertyReads(false);
        destroyer.join();
        EXPECT_EQ(returnedWhenDestroyed, before + 1);
        EXPECT_EQ(sim.ListenerCount(), 0);
    }
}
