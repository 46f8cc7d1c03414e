#include <gtest/gtest.h>

#include "PrivateBus.h"
#include "platform/TerminationSignals.h"

#include <csignal>
#include <thread>
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

// The GUI thread never comes back to the main context (its exit hangs): the second signal still ends
// the process, killed by that signal.
TEST_P(TerminationSignalsTest, ASecondSignalEndsTheProcessWhileTheMainContextIsNotRun)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int signal = GetParam();
    EXPECT_EXIT(
        {
            TerminationSignals signals([] { _exit(3); });
            raise(signal);
            usleep(100000);
            raise(signal);
            sleep(3);
            _exit(0);
        },
        ::testing::KilledBySignal(signal), "");
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

}  // namespace
