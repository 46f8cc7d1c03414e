#include <gtest/gtest.h>

#include "PrivateBus.h"
#include "platform/TerminationSignals.h"

#include <csignal>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool HasDefaultAction(int signal)
{
    struct sigaction current = {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler == SIG_DFL;
}

class TerminationSignalsTest : public ::testing::TestWithParam<int> {};

TEST_P(TerminationSignalsTest, TheFirstSignalAsksOnceOnThisThreadAndTheNextWouldEndTheProgram)
{
    const int signal = GetParam();
    int asked = 0;
    std::thread::id where;
    {
        TerminationSignals signals([&] {
            ++asked;
            where = std::this_thread::get_id();
        });
        EXPECT_FALSE(HasDefaultAction(SIGTERM));
        EXPECT_FALSE(HasDefaultAction(SIGINT));
        ASSERT_EQ(kill(getpid(), signal), 0);
        EXPECT_TRUE(Pump([&] { return asked > 0; }));
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(where, std::this_thread::get_id()) << "runs where the main context is iterated";
        EXPECT_EQ(signals.Received(), signal);
        EXPECT_TRUE(HasDefaultAction(SIGTERM));
        EXPECT_TRUE(HasDefaultAction(SIGINT));
        Pump([] { return false; }, 50);
        EXPECT_EQ(asked, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(TermAndInt, TerminationSignalsTest, ::testing::Values(SIGTERM, SIGINT));

TEST(TerminationSignals, WithoutASignalDestructionGivesTheDefaultActionsBack)
{
    {
        TerminationSignals signals([] {});
        EXPECT_FALSE(HasDefaultAction(SIGTERM));
        EXPECT_EQ(signals.Received(), 0);
    }
    EXPECT_TRUE(HasDefaultAction(SIGTERM));
    EXPECT_TRUE(HasDefaultAction(SIGINT));
}

// A process that quits through its main loop: the signal ends the loop, the code after it runs, and
// the exit status is the program's own.
TEST(TerminationSignals, AProcessLeavesThroughItsNormalExitPath)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
        TerminationSignals signals([loop] { g_main_loop_quit(loop); });
        alarm(10);  // bounded: the test's signal comes long before
        if (write(ready[1], "r", 1) != 1)
            _exit(3);
        g_main_loop_run(loop);
        _exit(signals.Received() == SIGTERM ? 42 : 4);
    }
    close(ready[1]);
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    ASSERT_EQ(kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal instead of its own exit";
    EXPECT_EQ(WEXITSTATUS(status), 42);
}

}  // namespace
