#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "CtrlPanel/DeviceEventRing.h"

TEST(DeviceEventRing, HoldsSevenEventsInOrderAndDropsTheEighth)
{
    DeviceEventRing ring;
    for (int event = 0; event < 7; ++event)
        EXPECT_TRUE(ring.Push(event)) << event;
    EXPECT_EQ(ring.Pending(), 7u);
    EXPECT_FALSE(ring.Push(99));
    EXPECT_EQ(ring.Pending(), 7u);
    int event = -1;
    for (int expected = 0; expected < 7; ++expected) {
        ASSERT_TRUE(ring.Pop(event));
        EXPECT_EQ(event, expected);
    }
    EXPECT_FALSE(ring.Pop(event));
    EXPECT_EQ(ring.Pending(), 0u);
}

TEST(DeviceEventRing, KeepsItsOrderAcrossTheWrap)
{
    DeviceEventRing ring;
    int event = -1;
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(ring.Push(round));
        ASSERT_TRUE(ring.Push(round + 100));
        ASSERT_TRUE(ring.Pop(event));
        EXPECT_EQ(event, round);
        ASSERT_TRUE(ring.Pop(event));
        EXPECT_EQ(event, round + 100);
    }
}

// One thread pushes while another pops: every event that was taken in arrives once, in order.
TEST(DeviceEventRing, OneWriterAndOneReaderOnTwoThreads)
{
    DeviceEventRing ring;
    constexpr int kEvents = 20000;
    std::vector<int> accepted;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int event = 0; event < kEvents; ++event)
            if (ring.Push(event))
                accepted.push_back(event);
            else
                std::this_thread::yield();
        done = true;
    });
    std::vector<int> received;
    int event = 0;
    for (;;) {
        const bool finished = done;
        while (ring.Pop(event))
            received.push_back(event);
        if (finished)
            break;
        std::this_thread::yield();
    }
    writer.join();
    EXPECT_EQ(received, accepted);
    EXPECT_GT(received.size(), 7u);
}
