#include <gtest/gtest.h>

#include "platform/LogindPowerNotifier.h"

#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The login manager's side, answered by the test: each lock handed out is the write end of a pipe
// whose read end sees the end of file once every copy was closed.
class FakeLink : public LogindLink {
public:
    struct Shared {
        std::function<void(bool)> prepare;
        std::vector<std::function<void(int)>> pending;
        std::vector<int> readEnds;  // of every lock handed out
        std::vector<std::string>* events = nullptr;
        bool connected = false;
    };
    explicit FakeLink(Shared& shared) : m_shared(shared) {}
    void Connect(std::function<void(bool)> prepare) override
    {
        m_shared.connected = true;
        m_shared.prepare = std::move(prepare);
    }
    void TakeDelayLock(std::function<void(int)> done) override
    {
        m_shared.events->push_back("request");
        m_shared.pending.push_back(std::move(done));
    }

private:
    Shared& m_shared;
};

class LogindPowerNotifierTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        notifier.reset();
        for (int fd : link.readEnds)
            close(fd);
    }

    void Start()
    {
        link.events = &events;
        notifier = std::make_unique<LogindPowerNotifier>(std::make_unique<FakeLink>(link));
        notifier->SetSleepHandler([this] {
            const bool held = !link.readEnds.empty() && LockHeld(link.readEnds.size() - 1);
            events.push_back(std::string("handler, lock ") + (held ? "held" : "released"));
        });
    }
    // Answers the oldest request with a fresh lock (or with -1).
    void Answer(bool grant = true)
    {
        ASSERT_FALSE(link.pending.empty());
        auto done = link.pending.front();
        link.pending.erase(link.pending.begin());
        if (!grant) {
            done(-1);
            return;
        }
        int fds[2];
        ASSERT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
        link.readEnds.push_back(fds[0]);
        done(fds[1]);
    }
    // True while some copy of lock n's descriptor is still open.
    bool LockHeld(size_t n) const
    {
        if (n >= link.readEnds.size())
            return false;
        char c;
        return read(link.readEnds[n], &c, 1) < 0;  // EAGAIN while a writer lives; 0 at end of file
    }

    FakeLink::Shared link;
    std::vector<std::string> events;
    std::unique_ptr<LogindPowerNotifier> notifier;
};

TEST_F(LogindPowerNotifierTest, HoldsADelayLockFromStartUntilTheSleepAndTakesANewOneOnWake)
{
    Start();
    EXPECT_TRUE(link.connected);
    ASSERT_EQ(events, std::vector<std::string>{"request"});
    Answer();
    EXPECT_TRUE(notifier->HoldsInhibitor());
    EXPECT_TRUE(LockHeld(0));

    link.prepare(true);
    EXPECT_EQ(events, (std::vector<std::string>{"request", "handler, lock held"}))
        << "the handler runs while the sleep still waits for it";
    EXPECT_FALSE(LockHeld(0)) << "released once the handler is done";
    EXPECT_FALSE(notifier->HoldsInhibitor());

    link.prepare(false);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2], "request");
    Answer();
    EXPECT_TRUE(LockHeld(1));

    link.prepare(true);
    EXPECT_EQ(events.back(), "handler, lock held");
    EXPECT_FALSE(LockHeld(1));
}

TEST_F(LogindPowerNotifierTest, RepeatedSignalsActOnce)
{
    Start();
    Answer();
    link.prepare(false);  // awake already: nothing to take again
    link.prepare(true);
    link.prepare(true);
    link.prepare(false);
    link.prepare(false);
    EXPECT_EQ(events, (std::vector<std::string>{"request", "handler, lock held", "request"}));
}

// Without a lock (refused, or no login manager) the program still closes the unit when the sleep is
// announced, and asks again after the wake.
TEST_F(LogindPowerNotifierTest, ARefusedLockStillRunsTheHandler)
{
    Start();
    Answer(false);
    EXPECT_FALSE(notifier->HoldsInhibitor());
    link.prepare(true);
    EXPECT_EQ(events.back(), "handler, lock released");
    link.prepare(false);
    EXPECT_EQ(events.back(), "request");
}

TEST_F(LogindPowerNotifierTest, ALockGrantedAfterTheSleepBeganIsGivenBackAtOnce)
{
    Start();
    link.prepare(true);  // the first answer is still out
    Answer();
    EXPECT_FALSE(LockHeld(0)) << "holding it would delay the sleep";
    EXPECT_FALSE(notifier->HoldsInhibitor());
    link.prepare(false);
    EXPECT_EQ(events.back(), "request");
}

TEST_F(LogindPowerNotifierTest, AWakeWhileTheRequestIsOutKeepsItsAnswer)
{
    Start();
    link.prepare(true);
    link.prepare(false);
    EXPECT_EQ(link.pending.size(), 1u) << "one request out at a time";
    Answer();
    EXPECT_TRUE(LockHeld(0));
    EXPECT_TRUE(notifier->HoldsInhibitor());
}

TEST_F(LogindPowerNotifierTest, NoHandlerStillReleasesAndDestructionReleases)
{
    Start();
    notifier->SetSleepHandler(nullptr);
    Answer();
    link.prepare(true);
    EXPECT_FALSE(LockHeld(0));
    link.prepare(false);
    Answer();
    EXPECT_TRUE(LockHeld(1));
    notifier.reset();
    EXPECT_FALSE(LockHeld(1));
}

}  // namespace
