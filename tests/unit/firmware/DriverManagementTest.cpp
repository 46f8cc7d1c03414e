#include "FirmwareFixture.h"

#include "platform/helper/ChildProcess.h"
#include "platform/helper/LineChannel.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Command = std::vector<std::string>;

class DriverManagementTest : public FirmwareTest {
protected:
    int Update() { return updater->Update(file.bytes.data(), uint32_t(file.bytes.size())); }

    const FirmwareFile file = FirmwareFile::Build({{kImageMain, 100, 0x20000000}});
    FwHandle blocker = 0;
};

TEST_F(DriverManagementTest, OpeningUnloadsTheUnitsDriversAndClosingLoadsExactlyThoseBack)
{
    ASSERT_EQ(Update(), 0);
    EXPECT_TRUE(updater->IsDeviceOpen());
    EXPECT_FALSE(updater->DriversLoaded());
    EXPECT_EQ(runner.Authorizations(), 1);
    EXPECT_EQ(runner.Commands(), (std::vector<Command>{Unload("snd-velbrin-remote"), Unload("snd-velbrin")}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{2000, 1000, 1000}));

    runner.Clear();
    clock.Reset();
    EXPECT_EQ(updater->Close(), 1);
    EXPECT_EQ(runner.Commands(), (std::vector<Command>{Load("snd-velbrin"), Load("snd-velbrin-remote")}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{1000, 1000, 1000, 2000}));
    EXPECT_TRUE(updater->DriversLoaded());
    EXPECT_FALSE(updater->IsDeviceOpen());
    EXPECT_EQ(raw.OpenDevices(), 0);
    EXPECT_EQ(runner.Authorizations(), 0) << "closing asks nothing";
    EXPECT_FALSE(runner.IsAuthorized()) << "the update's rights end with it";
}

struct UpdateCase {
    const char* what;
    std::function<void()> script;
    int result;
    std::vector<Command> commands;
    const char* said;  // the line that reports the failure, or nullptr
};

// Every refused Update leaves the unit's drivers loaded and no interface of the updater open.
TEST_F(DriverManagementTest, ARefusedUpdateLeavesNothingUnloaded)
{
    const Command unloadRemote = Unload("snd-velbrin-remote"), unloadMain = Unload("snd-velbrin");
    const Command loadRemote = Load("snd-velbrin-remote"), loadMain = Load("snd-velbrin");
    const UpdateCase cases[] = {
        {"rights refused", [this] { runner.RefuseAuthorization(true); }, 4, {},
         "Administrator rights were not granted: refused by the simulation"},
        {"first unload fails", [&] { runner.FailCommand(unloadRemote, 1); }, 5,
         {unloadRemote}, "Could not unload driver snd-velbrin-remote (status 1)"},
        {"second unload fails", [&] { runner.FailCommand(unloadMain, 1); }, 5,
         {unloadRemote, unloadMain, loadRemote}, "Could not unload driver snd-velbrin (status 1)"},
        {"no unit on the bus", [this] { bus.Unplug(&unit); }, 5, {}, nullptr},
        {"the unit held by another interface",
         [this] {
             raw.OpenDevice(raw.MatchDevices(0x5D3B, 0).front().serviceId, &blocker);
         },
         5, {unloadRemote, unloadMain, loadMain, loadRemote}, nullptr},
        {"no bridgeCo tag", [this] { unit.flash.SetIdentity("bridgeCx", 1); }, 7,
         {unloadRemote, unloadMain, loadMain, loadRemote}, nullptr},
    };
    for (const UpdateCase& c : cases) {
        SCOPED_TRACE(c.what);
        updater = std::make_unique<FirmwareUpdater>();
        updater->SetMessageSink([this](const std::string& line) { messages.push_back(line); });
        messages.clear();
        runner.Clear();
        bus.Plug(&unit);
        c.script();
        EXPECT_EQ(Update(), c.result);
        EXPECT_EQ(runner.Commands(), c.commands);
        EXPECT_EQ(messages, c.said ? std::vector<std::string>{c.said} : std::vector<std::string>{});
        EXPECT_FALSE(runner.IsAuthorized());
        EXPECT_TRUE(runner.UnloadedDrivers().empty());
        EXPECT_TRUE(updater->DriversLoaded());
        EXPECT_FALSE(updater->IsDeviceOpen());
        EXPECT_EQ(raw.OpenDevices(), blocker ? 1 : 0);
        if (blocker)
            raw.CloseDevice(std::exchange(blocker, 0));
        unit.flash.SetIdentity("bridgeCo", 0x00A5C3E1);
    }
}

TEST_F(DriverManagementTest, ABadImageIsRefusedBeforeRightsAreAskedOrDriversTouched)
{
    std::vector<uint8_t> bytes = file.bytes;
    bytes.resize(file.table[kImageMain].fileOffset + 99);  // image 1 now ends past the file
    EXPECT_EQ(updater->Update(bytes.data(), uint32_t(bytes.size())), 6);
    EXPECT_EQ(runner.Authorizations(), 0);
    EXPECT_TRUE(runner.Commands().empty());
    EXPECT_TRUE(unit.flash.Log().empty());
}

TEST_F(DriverManagementTest, AFailedReloadIsReportedAndRetriedForThatDriverOnly)
{
    ASSERT_EQ(Update(), 0);
    runner.Clear();
    runner.FailCommand(Load("snd-velbrin"), 1);
    EXPECT_EQ(updater->Close(), 0);
    EXPECT_EQ(runner.Commands(), (std::vector<Command>{Load("snd-velbrin"), Load("snd-velbrin-remote")}));
    EXPECT_EQ(runner.UnloadedDrivers(), (std::vector<std::string>{"snd-velbrin"}));
    EXPECT_FALSE(updater->DriversLoaded());
    EXPECT_TRUE(Said("Could not load driver snd-velbrin again (status 1)"));
    EXPECT_TRUE(runner.IsAuthorized()) << "the rights stay for the next try";

    runner.Clear();
    EXPECT_TRUE(updater->LoadDrivers());
    EXPECT_EQ(runner.Commands(), (std::vector<Command>{Load("snd-velbrin")}));
    EXPECT_TRUE(updater->DriversLoaded());
    EXPECT_EQ(runner.Authorizations(), 0);
    EXPECT_FALSE(runner.IsAuthorized());
}

TEST_F(DriverManagementTest, ClosingWithNothingOpenOrUnloadedRunsNothing)
{
    EXPECT_EQ(updater->Close(), 1);
    EXPECT_TRUE(updater->LoadDrivers());
    EXPECT_TRUE(runner.Commands().empty());
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST_F(DriverManagementTest, WithoutRightsNothingIsOpened)
{
    EXPECT_FALSE(updater->OpenDevice());
    EXPECT_EQ(updater->QueryDevice(), int(0xE00002BC));
    EXPECT_TRUE(runner.Commands().empty());
    EXPECT_EQ(raw.OpenDevices(), 0);
}

TEST(FirmwareUpdaterInstance, TheGlobalEngineStartsIdle)
{
    FirmwareUpdater& updater = GetFirmwareUpdater();
    EXPECT_EQ(&updater, &GetFirmwareUpdater());
    EXPECT_EQ(updater.GetProgress(), 0.0f);
    EXPECT_EQ(updater.GetPhase(), 0);
    EXPECT_TRUE(updater.DriversLoaded());
    EXPECT_FALSE(updater.IsDeviceOpen());
    EXPECT_EQ(updater.ProductName(), "***");
}

// The process's engine is destroyed at exit before everything it needs: it closes the unit
// and loads the drivers again instead of dying in the clock, the bus or the runner.
TEST(FirmwareUpdaterInstance, TheGlobalEngineLoadsTheDriversAgainAtExit)
{
    const char* dir = getenv("VELBRIN_BINARY_DIR");
    const std::string probe = std::string(dir ? dir : VELBRIN_BUILD_DIR) + "/tests/probe_firmware_exit";
    int out[2];
    ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
    const int none = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ChildProcess child;
    const bool started = child.Start({probe}, none, out[1], false);
    close(out[1]);
    close(none);
    ASSERT_TRUE(started) << probe;

    std::vector<std::string> lines;
    LineChannel said(out[0]);
    for (std::string line; said.ReadLine(60000, &line) == LineChannel::kLine;)
        lines.push_back(line);
    close(out[0]);
    EXPECT_EQ(child.Finish(5000, 1000), 0) << "the probe ended normally";
    const std::string tool = kDriverTool;
    EXPECT_EQ(lines, (std::vector<std::string>{tool + " -r -- snd-velbrin-remote", tool + " -r -- snd-velbrin",
                                               "main returns", tool + " -- snd-velbrin",
                                               tool + " -- snd-velbrin-remote"}));
}

}  // namespace
