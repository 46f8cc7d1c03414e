#include <gtest/gtest.h>

#include "PrivateBus.h"
#include "platform/DebugLog.h"
#include "platform/GioLogindLink.h"
#include "platform/LogindPowerNotifier.h"

#include <cstdlib>
#include <unistd.h>

namespace {

// The notifier with its real D-Bus link, against a stand-in login manager on a private bus.
class GioLogindLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (access("/usr/bin/dbus-daemon", X_OK) != 0)
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_FALSE(bus.Address().empty()) << "the private bus did not start";
        logind = std::make_unique<FakeLogind>(bus.Address());
        ASSERT_TRUE(logind->Ready());
    }
    void TearDown() override
    {
        notifier.reset();
        // Lets the cancelled calls and the dropped subscription finish.
        Pump([] { return false; }, 50);
        logind.reset();
    }

    void Start()
    {
        notifier = std::make_unique<LogindPowerNotifier>(std::make_unique<GioLogindLink>(bus.Address()));
        notifier->SetSleepHandler([this] { handlerSawLocks.push_back(logind->HeldLocks()); });
    }

    PrivateBus bus;
    std::unique_ptr<FakeLogind> logind;
    std::unique_ptr<LogindPowerNotifier> notifier;
    std::vector<int> handlerSawLocks;
};

TEST_F(GioLogindLinkTest, TakesADelayLockAndClosesBeforeEachSleep)
{
    Start();
    ASSERT_TRUE(Pump([&] { return notifier->HoldsInhibitor(); }));
    ASSERT_EQ(logind->Calls().size(), 1u);
    EXPECT_EQ(logind->Calls()[0], "sleep VelbrinControl Closes the Velbrin before the system sleeps delay");
    EXPECT_EQ(logind->HeldLocks(), 1);

    logind->AnnounceSleep(true);
    ASSERT_TRUE(Pump([&] { return !handlerSawLocks.empty(); }));
    EXPECT_EQ(handlerSawLocks[0], 1) << "the sleep waits for the handler";
    EXPECT_EQ(logind->HeldLocks(), 0);

    logind->AnnounceSleep(false);
    ASSERT_TRUE(Pump([&] { return notifier->HoldsInhibitor(); }));
    EXPECT_EQ(logind->Calls().size(), 2u);
    EXPECT_EQ(logind->HeldLocks(), 1);

    notifier.reset();
    EXPECT_EQ(logind->HeldLocks(), 0);
}

TEST_F(GioLogindLinkTest, SignalsFromAnyoneButTheLoginManagerAreIgnored)
{
    Start();
    ASSERT_TRUE(Pump([&] { return notifier->HoldsInhibitor(); }));
    FakeLogind impostor(bus.Address());  // cannot own the name: it is taken
    EXPECT_FALSE(impostor.Ready());
    impostor.AnnounceSleep(true);
    Pump([] { return false; }, 200);
    EXPECT_TRUE(handlerSawLocks.empty());
    EXPECT_TRUE(notifier->HoldsInhibitor());
}

TEST_F(GioLogindLinkTest, ARefusedLockIsTracedAndSleepStillClosesTheUnit)
{
    DebugLogCapture trace;
    logind->Refuse(true);
    Start();
    ASSERT_TRUE(Pump([&] { return logind->Calls().size() == 1; }));
    Pump([] { return false; }, 50);
    EXPECT_FALSE(notifier->HoldsInhibitor());
    if (DebugLogEnabled()) {
        EXPECT_TRUE(trace.Contains("sleep inhibitor refused")) << trace.Text();
    }
    logind->AnnounceSleep(true);
    ASSERT_TRUE(Pump([&] { return !handlerSawLocks.empty(); }));
}

TEST(GioLogindLinkNoBus, WithoutABusTheProgramRunsOnAndTracesIt)
{
    DebugLogCapture trace;
    const char* previous = getenv("DBUS_SYSTEM_BUS_ADDRESS");
    const std::string saved = previous ? previous : "";
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/velbrin-test-bus", 1);
    {
        LogindPowerNotifier notifier(std::make_unique<GioLogindLink>());
        bool ran = false;
        notifier.SetSleepHandler([&] { ran = true; });
        EXPECT_TRUE(Pump([&] { return trace.Contains("no system bus"); }, 3000) || !DebugLogEnabled())
            << trace.Text();
        EXPECT_FALSE(notifier.HoldsInhibitor());
        EXPECT_FALSE(ran);
    }
    if (previous)
        setenv("DBUS_SYSTEM_BUS_ADDRESS", saved.c_str(), 1);
    else
        unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
}

}  // namespace
