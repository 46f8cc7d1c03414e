#include <gtest/gtest.h>

#include "CtrlPanel/device/AudioDeviceMonitor.h"
#include "RecordingAudioHardware.h"
#include "platform/sim/SimAudioHardware.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

namespace {

// The unit on the bus with its DSP booted in mode 2, at 48000 Hz, notifications delivered at once.
class MonitorTest : public testing::Test {
protected:
    MonitorTest() : sim(SimAudioHardware::Delivery::Synchronous)
    {
        sim.AddOtherDevice("Built-in Output");
        sim.SetDeviceNominalRate(48000.0);
        sim.SetUnitState(true, true, 2);
    }
    SimAudioHardware sim;
};

// Waits (bounded) until the simulation holds n property reads.
bool WaitForHeldReads(SimAudioHardware& sim, int n)
{
    for (int i = 0; i < 10000; ++i) {
        if (sim.HeldReads() >= n)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// Waits (bounded) until at most n listeners remain installed.
bool WaitForListenersAtMost(SimAudioHardware& sim, int n)
{
    for (int i = 0; i < 10000; ++i) {
        if (sim.ListenerCount() <= n)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

}  // namespace

TEST_F(MonitorTest, FindsTheUnitDeviceAndPrimesItsValues)
{
    sim.SetRunning(true);
    AudioDeviceMonitor monitor(sim);
    EXPECT_TRUE(monitor.HasDevice());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_TRUE(monitor.IsRateUpTo96k());
    EXPECT_FALSE(monitor.IsExternalClockSource());
    EXPECT_EQ(sim.ListenerCount(), 4);  // the device list, then rate, clock source and running
}

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
        AudioDeviceMonitor monitor(sim);
        EXPECT_EQ(monitor.HasDevice(), c.qualifies) << "\"" << c.name << "\"";
        EXPECT_EQ(sim.ListenerCount(), c.qualifies ? 4 : 1);
    }
}

TEST_F(MonitorTest, ExternalClockFollowsTheNameOfTheCurrentClockSource)
{
    const struct { const char* externalName; bool external; } cases[] = {
        {"S/PDIF Ext Plug 3", true}, {"Ext Plug 3", true}, {"Ext Plug 31", false},
        {"Ext Plug 4", false},       {"xt Plug 3", false}, {"", false},
    };
    AudioDeviceMonitor monitor(sim);
    for (const auto& c : cases) {
        sim.SetClockSourceNames("Internal", c.externalName);
        sim.SetClockSourceExternal(true);
        EXPECT_EQ(monitor.IsExternalClockSource(), c.external) << "\"" << c.externalName << "\"";
        sim.SetClockSourceExternal(false);
        EXPECT_FALSE(monitor.IsExternalClockSource());
    }
    // The rule reads names, not which source is selected.
    sim.SetClockSourceNames("Internal Ext Plug 3", "S/PDIF");
    EXPECT_TRUE(monitor.IsExternalClockSource());
}

TEST_F(MonitorTest, SetRateAnswersZeroThreeOrOneAndTheStoredRateFollowsTheDevice)
{
    AudioDeviceMonitor monitor(sim);
    EXPECT_EQ(monitor.SetNominalSampleRate(96000), 0);
    EXPECT_EQ(sim.DeviceNominalRate(), 96000.0);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 96000);
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 3);  // mode 2 does not take it
    EXPECT_EQ(monitor.SetNominalSampleRate(44000), 3);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 96000);
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

TEST_F(MonitorTest, SetRateWithoutADeviceAnswersOneAndAsksNothing)
{
    sim.SetUnitState(false, false, 2);
    AudioDeviceMonitor monitor(sim);
    EXPECT_FALSE(monitor.HasDevice());
    EXPECT_EQ(monitor.SetNominalSampleRate(48000), 1);
    EXPECT_EQ(sim.RateRequests(), 0);
}

TEST_F(MonitorTest, RateIsTruncatedToWholeHertz)
{
    AudioDeviceMonitor monitor(sim);
    const struct { double reported; int stored; bool upTo96k; } cases[] = {
        {44100.9, 44100, true}, {96000.99, 96000, true}, {96001.0, 96001, false},
        {NAN, 0, true},         {1e12, 0, true},
    };
    for (const auto& c : cases) {
        sim.SetDeviceNominalRate(c.reported);
        EXPECT_EQ(monitor.GetNominalSampleRate(), c.stored) << c.reported;
        EXPECT_EQ(monitor.IsRateUpTo96k(), c.upTo96k) << c.reported;
    }
}

TEST_F(MonitorTest, RunningFollowsTheDevice)
{
    AudioDeviceMonitor monitor(sim);
    EXPECT_FALSE(monitor.IsRunning());
    sim.SetRunning(true);
    EXPECT_TRUE(monitor.IsRunning());
    sim.SetRunning(false);
    EXPECT_FALSE(monitor.IsRunning());
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
    EXPECT_EQ(monitor.SetNominalSampleRate(48000), 1);

    sim.SetUnitState(true, false, 2);  // on the bus, DSP not booted yet
    EXPECT_FALSE(monitor.HasDevice());
    sim.SetDeviceNominalRate(88200.0);
    sim.SetUnitState(true, true, 2);
    EXPECT_TRUE(monitor.HasDevice());
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
    EXPECT_TRUE(monitor.HasDevice());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);
    sim.AddOtherDevice("Headphones");  // the next list change searches again
    EXPECT_FALSE(monitor.HasDevice());
}

TEST_F(MonitorTest, DeviceWhoseListenersCannotAllBeAddedIsPassedOverWithoutLeftovers)
{
    sim.SetUnitState(false, false, 2);
    const AudioDeviceId spare = sim.AddOtherDevice("Velbrin Spare");  // listed before the unit's device
    sim.SetUnitState(true, true, 2);
    RecordingAudioHardware recording(sim);
    sim.FailNextListenerAdds(1, 1);  // the spare's rate listener is added, its clock listener is not
    AudioDeviceMonitor monitor(recording);
    EXPECT_TRUE(monitor.HasDevice());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);  // the unit's device, not the spare at 44100
    EXPECT_EQ(sim.ListenerCount(), 4);

    // A call of the spare's dropped listener (as one already on its way would be) changes nothing.
    const auto added = recording.AddedListeners();
    ASSERT_GE(added.size(), 1u);
    ASSERT_EQ(added[0].device, spare);
    added[0].listener(spare, AudioDeviceProperty::NominalRate);
    EXPECT_EQ(monitor.GetNominalSampleRate(), 48000);
}

TEST(AudioDeviceMonitorThreads, NotificationsFromTheAudioThreadUpdateTheRecord)
{
    SimAudioHardware sim;  // notifications on its own thread
    sim.SetUnitState(true, true, 2);
    ASSERT_TRUE(sim.WaitForNotifications());
    RecordingAudioHardware recording(sim);
    AudioDeviceMonitor monitor(recording);
    ASSERT_TRUE(monitor.HasDevice());

    sim.SetDeviceNominalRate(96000.0);
    sim.SetRunning(true);
    sim.SetClockSourceExternal(true);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 96000);
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_TRUE(monitor.IsExternalClockSource());

    sim.SetUnitState(false, false, 2);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_FALSE(monitor.HasDevice());
    sim.SetUnitState(true, true, 3);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_TRUE(monitor.HasDevice());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 176400);
    EXPECT_EQ(monitor.SetNominalSampleRate(192000), 0);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 192000);

    const auto threads = recording.CallThreads();
    ASSERT_FALSE(threads.empty());
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}

TEST(AudioDeviceMonitorThreads, QueriesRaceNotificationsSafely)
{
    SimAudioHardware sim;
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
        sim.SetDeviceNominalRate(88200.0);
    });
    int seen = 0;
    for (int i = 0; i < 2000; ++i) {
        const int rate = monitor.GetNominalSampleRate();
        EXPECT_TRUE(rate == 0 || rate == 44100 || rate == 48000 || rate == 88200 || rate == 96000) << rate;
        seen += monitor.IsRunning();
    }
    device.join();
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(monitor.GetNominalSampleRate(), 88200);
    (void)seen;
}

TEST(AudioDeviceMonitorThreads, DestructionWaitsForADeviceCallbackInFlight)
{
    SimAudioHardware sim;
    sim.SetUnitState(true, true, 2);
    RecordingAudioHardware recording(sim);
    auto monitor = std::make_unique<AudioDeviceMonitor>(recording);
    ASSERT_TRUE(monitor->HasDevice());

    sim.HoldPropertyReads(true);
    sim.SetDeviceNominalRate(96000.0);  // the rate listener now hangs in its read
    ASSERT_TRUE(WaitForHeldReads(sim, 1));
    const int returnedBefore = recording.callsReturned.load();
    int returnedWhenDestroyed = -1;
    std::thread destroyer([&] {
        monitor.reset();
        returnedWhenDestroyed = recording.callsReturned.load();
    });
    // The list listener and the rate listener are removed; the destructor now waits for the call.
    ASSERT_TRUE(WaitForListenersAtMost(sim, 2));
    sim.HoldPropertyReads(false);
    destroyer.join();
    EXPECT_EQ(returnedWhenDestroyed, returnedBefore + 1);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(sim.ListenerCount(), 0);
}

TEST(AudioDeviceMonitorThreads, DestructionWaitsForADeviceSearchInFlight)
{
    SimAudioHardware sim;
    RecordingAudioHardware recording(sim);
    auto monitor = std::make_unique<AudioDeviceMonitor>(recording);
    ASSERT_FALSE(monitor->HasDevice());

    sim.HoldPropertyReads(true);
    sim.SetUnitState(true, true, 2);  // the list listener hangs priming the new device
    ASSERT_TRUE(WaitForHeldReads(sim, 1));
    int returnedWhenDestroyed = -1;
    std::thread destroyer([&] {
        monitor.reset();
        returnedWhenDestroyed = recording.callsReturned.load();
    });
    // The search had added the three device listeners; the list listener is removed and waited for.
    ASSERT_TRUE(WaitForListenersAtMost(sim, 3));
    sim.HoldPropertyReads(false);
    destroyer.join();
    EXPECT_EQ(returnedWhenDestroyed, 1);
    ASSERT_TRUE(sim.WaitForNotifications());
    EXPECT_EQ(sim.ListenerCount(), 0);
}
