#include <gtest/gtest.h>

#include "PAL/ParameterMailbox.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ParameterSet.h"

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

const ParamDescriptor kTable[] = {
    {0, "Level 1", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
    {1, "Level 2", 0.0f, 1.0f, 0.0f, UnitNone, TaperLinear},
    {2, "Dim", 0.0f, 1.0f, 0.0f, UnitSwitch, TaperStepped},
};

struct Seen {
    const ParameterSet* set;
    int32_t index;
    float value;
    std::thread::id thread;
};

// Records each notification with the value it finds in the set and the thread it runs on.
class ValueRecorder : public ParameterObserver {
public:
    ValueRecorder(ParameterSet* set, std::vector<Seen>* seen) : m_set(set), m_seen(seen) { set->AddObserver(this); }
    ~ValueRecorder() override { m_set->RemoveObserver(this); }
    void OnParameterChanged(int32_t index) override
    {
        m_seen->push_back({m_set, index, m_set->GetParameter(index), std::this_thread::get_id()});
        if (action)
            action(index);
    }
    std::function<void(int32_t)> action;

private:
    ParameterSet* m_set;
    std::vector<Seen>* m_seen;
};

class WorkerHandOver : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ParameterMailbox::Waiting(), 0); }
};

}  // namespace

TEST_F(WorkerHandOver, ValueIsStoredAtOnceAndObserversHearOfItOnlyWhenTheGuiDrains)
{
    ParameterSet set(kTable, 3);
    std::vector<Seen> seen;
    ValueRecorder recorder(&set, &seen);
    float readBackOnWorker = -1.0f;
    std::thread worker([&] {
        set.SetParameterFromWorker(1, 0.2f);
        set.SetParameterFromWorker(0, 0.9f);
        set.SetParameterFromWorker(1, 0.4f);
        readBackOnWorker = set.GetParameter(1);
    });
    worker.join();
    EXPECT_EQ(readBackOnWorker, 0.4f);
    EXPECT_EQ(set.GetParameter(1), 0.4f);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(ParameterMailbox::Waiting(), 2);

    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].index, 1);  // in the order first queued
    EXPECT_EQ(seen[0].value, 0.4f);
    EXPECT_EQ(seen[1].index, 0);
    EXPECT_EQ(seen[1].value, 0.9f);
    for (const Seen& s : seen)
        EXPECT_EQ(s.thread, std::this_thread::get_id());
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 0);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(WorkerHandOver, ChangesOfSeveralSetsAreDeliveredToEachSet)
{
    ParameterSet a(kTable, 3), b(kTable, 3);
    std::vector<Seen> seen;
    ValueRecorder ra(&a, &seen), rb(&b, &seen);
    std::thread worker([&] {
        b.SetParameterFromWorker(2, 1.0f);
        a.SetParameterFromWorker(2, 0.0f);
    });
    worker.join();
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].set, &b);
    EXPECT_EQ(seen[1].set, &a);
}

TEST_F(WorkerHandOver, ASetDestroyedBeforeDeliveryTakesItsChangesWithIt)
{
    auto doomed = std::make_unique<ParameterSet>(kTable, 3);
    ParameterSet kept(kTable, 3);
    std::vector<Seen> seen;
    ValueRecorder rk(&kept, &seen);
    // The kept set's observer destroys the doomed set, whose change waits behind it.
    rk.action = [&](int32_t) { doomed.reset(); };
    std::thread worker([&] {
        kept.SetParameterFromWorker(0, 0.5f);
        doomed->SetParameterFromWorker(0, 0.5f);
        doomed->SetParameterFromWorker(1, 0.5f);
    });
    worker.join();
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    EXPECT_EQ(doomed, nullptr);
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(WorkerHandOver, ChangeQueuedDuringDeliveryWaitsForTheNextDrain)
{
    ParameterSet set(kTable, 3);
    std::vector<Seen> seen;
    ValueRecorder recorder(&set, &seen);
    int calls = 0;
    recorder.action = [&](int32_t index) {
        if (++calls == 1)
            set.SetParameterFromWorker(index, 0.75f);
    };
    set.SetParameterFromWorker(0, 0.25f);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].value, 0.25f);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].value, 0.75f);
}

TEST_F(WorkerHandOver, WorkerStoringWhileTheGuiDrainsEndsWithTheLastValueDelivered)
{
    ParameterSet set(kTable, 3);
    std::vector<Seen> seen;
    ValueRecorder recorder(&set, &seen);
    std::atomic<bool> done{false};
    constexpr int kStores = 2000;
    std::thread worker([&] {
        for (int i = 1; i <= kStores; ++i)
            set.SetParameterFromWorker(i % 2, float(i) / kStores);
        done = true;
    });
    int delivered = 0;
    while (!done)
        delivered += ParameterSet::DeliverWorkerChanges();
    worker.join();
    delivered += ParameterSet::DeliverWorkerChanges();
    EXPECT_EQ(size_t(delivered), seen.size());
    EXPECT_LE(delivered, kStores);
    ASSERT_FALSE(seen.empty());
    for (const Seen& s : seen)
        EXPECT_EQ(s.thread, std::this_thread::get_id());
    // The last notification of each index reads that index's last stored value.
    float last[2] = {-1.0f, -1.0f};
    for (const Seen& s : seen)
        last[s.index] = s.value;
    EXPECT_EQ(last[0], 1.0f);
    EXPECT_EQ(last[1], float(kStores - 1) / kStores);
}
