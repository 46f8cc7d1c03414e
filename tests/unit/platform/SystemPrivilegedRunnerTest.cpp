#include <gtest/gtest.h>

#include "platform/SystemPrivilegedRunner.h"

#include <chrono>
#include <unistd.h>

namespace {

TEST(SystemPrivilegedRunner, GoesThroughPkexecUnlessRoot)
{
    const std::vector<std::string> argv = {kDriverTool, "-r", "snd-x"};
    EXPECT_EQ(SystemPrivilegedRunner::CommandLine(argv, true), argv);
    EXPECT_EQ(SystemPrivilegedRunner::CommandLine(argv, false),
              (std::vector<std::string>{"/usr/bin/pkexec", kDriverTool, "-r", "snd-x"}));
}

// Harmless commands only: the runner is real and would run anything it is given.
TEST(SystemPrivilegedRunner, RunsCommandsWithoutAShellAndReportsTheirStatus)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "runs commands directly only as root";
    SystemPrivilegedRunner runner;
    EXPECT_TRUE(runner.Authorize());
    // A shell would split, expand or run these; test(1) sees them verbatim.
    EXPECT_EQ(runner.Run({"/usr/bin/test", "a; false", "=", "a; false"}), 0);
    EXPECT_EQ(runner.Run({"/usr/bin/test", "$HOME", "=", "$HOME"}), 0);
    EXPECT_EQ(runner.Run({"/usr/bin/test", "*", "=", "*"}), 0);
    EXPECT_EQ(runner.Run({"/bin/false"}), 1);
    EXPECT_EQ(runner.Run({"/nonexistent/tool"}), -1);
    EXPECT_EQ(runner.Run({"true"}), -1) << "only absolute paths";
    EXPECT_EQ(runner.Run({}), -1);
}

TEST(SystemPrivilegedRunner, ACommandThatDoesNotEndInTimeIsKilled)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "runs commands directly only as root";
    SystemPrivilegedRunner runner(100);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runner.Run({"/bin/sleep", "10"}), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
