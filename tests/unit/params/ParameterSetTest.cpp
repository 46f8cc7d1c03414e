#include <gtest/gtest.h>

#include "PAL/Parameter.h"
#include "PAL/ParameterMailbox.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ParameterSet.h"

#include <atomic>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const ParamDescriptor kTable[] = {
    {0, "Attack Time", 2.0f, 100.0f, 10.0f, UnitMilliseconds, TaperLog2},
    {1, "Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped},
    {2, "", 1.0f, 6.0f, 2.0f, UnitNone, TaperStepped},
    {3, "Gain", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
};
constexpr int32_t kCount = 4;

using Log = std::vector<std::string>;

// Observes a set while it lives: logs "<name>:<index>=<normalised value found>", checks that it runs
// on the thread that made it, then runs an optional action.
struct Recorder : ParameterObserver {
    Recorder(ParameterSet* s, const char* n, Log* l) : set(s), name(n), log(l) { set->AddObserver(this); }
    ~Recorder() override { set->RemoveObserver(this); }
    void OnParameterChanged(int32_t index) override
    {
        EXPECT_EQ(std::this_thread::get_id(), thread) << "notified off the GUI thread";
        char entry[64];
        snprintf(entry, sizeof entry, "%s:%d=%g", name, int(index), double(set->GetParameter(index)));
        log->push_back(entry);
        if (action)
            action(index);
    }
    ParameterSet* set;
    const char* name;
    Log* log;
    const std::thread::id thread = std::this_thread::get_id();
    std::function<void(int32_t)> action;
};

}  // namespace

TEST(ParameterSet, StoresNormalisedValuesUnclampedAndIgnoresBadIndicesAndNonFiniteValues)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder r(&set, "r", &log);
    ASSERT_EQ(set.GetParameterCount(), kCount);
    EXPECT_NEAR(set.GetParameterValue(0), 10.0f, 1e-4f);  // every parameter at its default
    EXPECT_FLOAT_EQ(set.GetParameter(2), 0.125f);
    for (int32_t index : {-1, kCount}) {
        set.SetParameter(index, 0.5f);
        set.SetParameterValue(index, 0.5f);
        set.SetParameterFromWorker(index, 0.5f);
        EXPECT_EQ(set.GetParameterValue(index), 0.0f);
        EXPECT_EQ(set.GetParameterObject(index), nullptr);
    }
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        set.SetParameter(3, bad);
        set.SetParameterFromWorker(3, bad);
    }
    set.SetParameterValue(3, nan);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 0);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(set.GetParameter(3), 0.5f);
    set.SetParameter(3, 1.7f);
    EXPECT_EQ(set.GetParameter(3), 1.7f);
    EXPECT_EQ(set.GetParameterValue(3), 1.0f);
    set.SetParameterValue(3, -4.0f);
    EXPECT_EQ(set.GetParameter(3), 0.0f);

    ParameterSet empty(kTable, 0), negative(kTable, -3), none(nullptr, 4);
    EXPECT_EQ(empty.GetParameterCount() + negative.GetParameterCount() + none.GetParameterCount(), 0);
    EXPECT_EQ(none.GetParameter(0), 0.0f);
}

TEST(ParameterSet, NameCopyIsBoundedAndAlwaysTerminated)
{
    ParameterSet set(kTable, kCount);
    char buffer[16];
    auto name = [&](int32_t index, int32_t length) {
        memset(buffer, 'Z', sizeof buffer);
        set.GetParameterName(index, buffer, length);
        return std::string(buffer, sizeof buffer);
    };
    EXPECT_EQ(name(0, 16), std::string("Attack Time\0\0\0\0", 16));  // the rest of the length NUL-filled
    EXPECT_EQ(name(0, 5), std::string("Atta\0ZZZZZZZZZZZ", 16));
    EXPECT_EQ(name(2, 8), std::string(8, '\0') + std::string(8, 'Z'));
    EXPECT_EQ(name(kCount, 8), std::string(16, 'Z'));
    EXPECT_EQ(name(0, 0), std::string(16, 'Z'));
}

TEST(ParameterSetObservers, RemovalAdditionAndNestedChangesDuringANotification)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder a(&set, "a", &log), b(&set, "b", &log), c(&set, "c", &log), d(&set, "d", &log);
    set.AddObserver(&d);  // listed twice, called twice
    std::unique_ptr<Recorder> late;
    // a removes itself and the next two, adjacent entries, adds one (the list may move), then
    // changes another parameter: that inner pass runs completely, the new observer included.
    a.action = [&](int32_t index) {
        if (index != 0)
            return;
        set.RemoveObserver(&a);
        set.RemoveObserver(&b);
        set.RemoveObserver(&c);
        late = std::make_unique<Recorder>(&set, "late", &log);
        set.SetParameter(3, 0.75f);
        EXPECT_EQ(set.GetObserverSlots(), 6u);  // compaction waits for the outer pass
    };
    set.SetParameter(0, 0.25f);
    EXPECT_EQ(log, (Log{"a:0=0.25", "d:3=0.75", "d:3=0.75", "late:3=0.75", "d:0=0.25", "d:0=0.25"}));
    EXPECT_EQ(set.GetObserverSlots(), 3u);
    log.clear();
    set.SetParameter(0, 0.5f);
    EXPECT_EQ(log, (Log{"d:0=0.5", "d:0=0.5", "late:0=0.5"}));
}

namespace {
class WorkerHandOver : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ParameterMailbox::Waiting(), 0); }
};
}  // namespace

TEST_F(WorkerHandOver, ValueIsStoredAtOnceAndDeliveredOnTheGuiThreadOnceWithTheLatestValue)
{
    ParameterSet a(kTable, kCount), b(kTable, kCount);
    Log log;
    Recorder ra(&a, "a", &log), rb(&b, "b", &log);
    float readBackOnWorker = -1.0f;
    std::thread worker([&] {
        a.SetParameterFromWorker(1, 0.2f);
        b.SetParameterFromWorker(0, 0.9f);
        a.SetParameterFromWorker(1, 0.4f);
        readBackOnWorker = a.GetParameter(1);
    });
    worker.join();
    EXPECT_EQ(readBackOnWorker, 0.4f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 2);
    EXPECT_EQ(log, (Log{"a:1=0.4", "b:0=0.9"}));  // in first-queued order
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 0);
}

TEST_F(WorkerHandOver, ASetDestroyedBeforeDeliveryTakesItsChangesWithIt)
{
    auto doomed = std::make_unique<ParameterSet>(kTable, kCount);
    ParameterSet kept(kTable, kCount);
    Log log;
    Recorder rk(&kept, "kept", &log);
    // The doomed set's changes wait behind this one; a change queued meanwhile waits for the next drain.
    rk.action = [&](int32_t index) {
        if (index == 0) {
            doomed.reset();
            kept.SetParameterFromWorker(1, 0.25f);
        }
    };
    kept.SetParameterFromWorker(0, 0.5f);
    doomed->SetParameterFromWorker(0, 0.5f);
    doomed->SetParameterFromWorker(1, 0.5f);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    EXPECT_EQ(log, (Log{"kept:0=0.5"}));
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    EXPECT_EQ(log, (Log{"kept:0=0.5", "kept:1=0.25"}));
}

TEST_F(WorkerHandOver, ChangeQueuedDuringDeliveryWaitsForTheNextDrain)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder r(&set, "r", &log);
    r.action = [&](int32_t index) {
        if (log.size() == 1)
            set.SetParameterFromWorker(index, 0.75f);
    };
    set.SetParameterFromWorker(0, 0.25f);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 1);
    EXPECT_EQ(log, (Log{"r:0=0.25", "r:0=0.75"}));
}

TEST_F(WorkerHandOver, WorkerStoringWhileTheGuiDrainsEndsWithTheLastValueDelivered)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder recorder(&set, "r", &log);
    float last[2] = {-1.0f, -1.0f};
    recorder.action = [&](int32_t index) { last[index] = set.GetParameter(index); };
    std::atomic<bool> done{false};
    constexpr int kStores = 2000;
    std::thread worker([&] {
        for (int i = 1; i <= kStores; ++i)
            set.SetParameterFromWorker(i % 2, float(i) / kStores);
        done = true;
    });
    while (!done)
        ParameterSet::DeliverWorkerChanges();
    worker.join();
    ParameterSet::DeliverWorkerChanges();
    EXPECT_EQ(last[0], 1.0f);
    EXPECT_EQ(last[1], float(kStores - 1) / kStores);
}
