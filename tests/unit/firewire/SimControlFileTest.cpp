#include <gtest/gtest.h>

#include "platform/MainThread.h"
#include "platform/sim/SimControlFile.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimVelbrin.h"
#include "support/TempFolder.h"

#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace {

class SimControlFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        control = folder / "control";
        bus.Plug(&unit);
    }
    void TearDown() override
    {
        watcher.reset();
        DrainMainThreadQueue();
    }

    void Append(const std::string& text)
    {
        std::ofstream(control, std::ios::app) << text;
    }
    std::map<std::string, std::string> State() const
    {
        std::map<std::string, std::string> fields;
        std::ifstream in(control + ".state");
        std::string line;
        while (std::getline(in, line)) {
            const size_t space = line.rfind(' ');
            if (space != std::string::npos)
                fields[line.substr(0, space)] = line.substr(space + 1);
        }
        return fields;
    }
    // Waits (bounded) until the state file reports count commands carried out.
    bool WaitForCommands(int count)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            if (State()["commands"] == std::to_string(count))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    TempFolder folder;  // removed after the watcher has stopped
    std::string control;
    SimFireWireBus bus;
    SimVelbrin unit;
    std::unique_ptr<SimControlFile> watcher;
};

TEST_F(SimControlFileTest, AppendedLinesUnplugAndReplugTheUnitAndEachWritesTheState)
{
    watcher = std::make_unique<SimControlFile>(control, bus, unit);
    EXPECT_EQ(watcher->StatePath(), control + ".state");
    const uint32_t firstNode = bus.NodeIdOf(&unit);

    Append("unplug\n");
    ASSERT_TRUE(WaitForCommands(1));
    EXPECT_FALSE(bus.IsPlugged(&unit));
    EXPECT_EQ(State()["plugged"], "0");

    Append("plug\n");
    ASSERT_TRUE(WaitForCommands(2));
    EXPECT_TRUE(bus.IsPlugged(&unit));
    EXPECT_NE(bus.NodeIdOf(&unit), firstNode) << "a replugged unit re-enumerates";
    EXPECT_EQ(State()["plugged"], "1");
}

TEST_F(SimControlFileTest, TheStateListsEveryItemAndTheStoresToFlash)
{
    unit.SetItem(7, 0x12345678);
    unit.SetItem(300, 1);
    watcher = std::make_unique<SimControlFile>(control, bus, unit);
    Append("state\n");
    ASSERT_TRUE(WaitForCommands(1));
    auto state = State();
    EXPECT_EQ(state["item 7"], "0x12345678");
    EXPECT_EQ(state["item 300"], "0x00000001");
    EXPECT_EQ(state["flash-stores"], "0");

    ASSERT_EQ(unit.WriteQuadlet(kSimItemBase + 4 * 82, 1), 0);
    Append("state\n");
    ASSERT_TRUE(WaitForCommands(2));
    EXPECT_EQ(State()["flash-stores"], "1");
}

TEST_F(SimControlFileTest, ALineWithoutItsNewlineWaitsAndUnknownLinesAreSkipped)
{
    watcher = std::make_unique<SimControlFile>(control, bus, unit);
    Append("unpl");
    std::this_thread::sleep_for(std::chrono::milliseconds(3 * SimControlFile::kPollMs));
    EXPECT_TRUE(bus.IsPlugged(&unit));
    Append("ug\nexplode\n");
    ASSERT_TRUE(WaitForCommands(2));
    EXPECT_FALSE(bus.IsPlugged(&unit));
}

TEST_F(SimControlFileTest, StoppingCarriesOutWhatIsLeftAndWritesTheLastState)
{
    watcher = std::make_unique<SimControlFile>(control, bus, unit);
    ASSERT_EQ(unit.WriteQuadlet(kSimItemBase + 4 * 82, 1), 0);
    Append("unplug\n");
    watcher.reset();  // at once, probably before the next look at the file
    auto state = State();
    EXPECT_EQ(state["commands"], "1");
    EXPECT_EQ(state["plugged"], "0");
    EXPECT_EQ(state["flash-stores"], "1");
    EXPECT_FALSE(bus.IsPlugged(&unit));
}

TEST_F(SimControlFileTest, AFileWrittenAnewIsReadFromItsStart)
{
    Append("state\nstate\n");
    watcher = std::make_unique<SimControlFile>(control, bus, unit);
    ASSERT_TRUE(WaitForCommands(2));
    std::ofstream(control, std::ios::trunc) << "unplug\n";
    ASSERT_TRUE(WaitForCommands(3));
    EXPECT_FALSE(bus.IsPlugged(&unit));
}

}  // namespace
