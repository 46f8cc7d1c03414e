#include <gtest/gtest.h>

#include "PAL/MainParameterSet.h"
#include "PAL/Parameter.h"
#include "PAL/ParameterListener.h"
#include "PAL/ParameterObserver.h"
#include "PAL/ParameterSet.h"

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

const ParamDescriptor kTable[] = {
    {0, "Attack Time", 2.0f, 100.0f, 10.0f, UnitMilliseconds, TaperLog2},
    {1, "Enable", 0.0f, 1.0f, 1.0f, UnitSwitch, TaperStepped},
    {2, "", 1.0f, 6.0f, 2.0f, UnitNone, TaperStepped},
    {3, "Gain", 0.0f, 1.0f, 0.5f, UnitNone, TaperLinear},
};
constexpr int32_t kCount = 4;

// Records every notification as "<name>:<index>" into a shared log and runs an optional action.
class Recorder : public ParameterObserver {
public:
    Recorder(std::string name, std::vector<std::string>* log) : m_name(std::move(name)), m_log(log) {}
    void OnParameterChanged(int32_t index) override
    {
        m_log->push_back(m_name + ":" + std::to_string(index));
        if (action)
            action(index);
    }
    std::function<void(int32_t)> action;

private:
    std::string m_name;
    std::vector<std::string>* m_log;
};

class FixedRateListener : public ParameterListener {
public:
    float GetSampleRate() override { return 96000.0f; }
    void ParameterChanged(int32_t) override { ++changes; }
    int changes = 0;
};

using Log = std::vector<std::string>;

}  // namespace

TEST(ParameterSet, BuildsEveryParameterAtItsDefault)
{
    ParameterSet set(kTable, kCount);
    ASSERT_EQ(set.GetParameterCount(), kCount);
    EXPECT_NEAR(set.GetParameterValue(0), 10.0f, 1e-4f);
    EXPECT_EQ(set.GetParameterValue(1), 1.0f);
    EXPECT_EQ(set.GetParameterValue(2), 2.0f);
    EXPECT_FLOAT_EQ(set.GetParameter(2), 0.125f);
    EXPECT_EQ(set.GetParameterObject(3)->GetId(), 3);
    EXPECT_EQ(set.GetManufacturerCode(), 0x42524E4Du);
    EXPECT_EQ(set.GetTypeCode(), uint32_t('q') << 24 | uint32_t('c') << 16 | uint32_t('p') << 8 | uint32_t('s'));
    EXPECT_EQ(set.GetVersion(), 0x10000u);

    ParameterSet empty(kTable, 0), negative(kTable, -3), none(nullptr, 4);
    EXPECT_EQ(empty.GetParameterCount(), 0);
    EXPECT_EQ(negative.GetParameterCount(), 0);
    EXPECT_EQ(none.GetParameterCount(), 0);
    EXPECT_EQ(none.GetParameter(0), 0.0f);
}

TEST(ParameterSet, NormalisedValuesAreStoredUnclampedAndPlainValuesClamped)
{
    ParameterSet set(kTable, kCount);
    set.SetParameter(3, 1.7f);
    EXPECT_EQ(set.GetParameter(3), 1.7f);
    EXPECT_EQ(set.GetParameterValue(3), 1.0f);
    set.SetParameterValue(3, -4.0f);
    EXPECT_EQ(set.GetParameter(3), 0.0f);
    set.SetParameterValue(0, 14.142136f);
    EXPECT_NEAR(set.GetParameter(0), 0.5f, 1e-6f);
}

TEST(ParameterSet, BadIndicesAndNonFiniteValuesChangeNothing)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder r("r", &log);
    set.AddObserver(&r);
    for (int32_t index : {-1, kCount}) {
        set.SetParameter(index, 0.5f);
        set.SetParameterValue(index, 0.5f);
        set.SetParameterFromWorker(index, 0.5f);
        EXPECT_EQ(set.GetParameter(index), 0.0f);
        EXPECT_EQ(set.GetParameterValue(index), 0.0f);
        EXPECT_EQ(set.GetParameterObject(index), nullptr);
    }
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                      -std::numeric_limits<float>::infinity()}) {
        set.SetParameter(3, bad);
        set.SetParameterFromWorker(3, bad);
    }
    set.SetParameterValue(3, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(set.GetParameter(3), 0.5f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ParameterSet::DeliverWorkerChanges(), 0);
    set.RemoveObserver(&r);
}

TEST(ParameterSet, NameCopyIsBoundedAndAlwaysTerminated)
{
    ParameterSet set(kTable, kCount);
    char buffer[16];
    memset(buffer, 'Z', sizeof buffer);
    set.GetParameterName(0, buffer, 16);
    EXPECT_STREQ(buffer, "Attack Time");
    EXPECT_EQ(buffer[15], '\0');  // the rest of the length is NUL-filled
    memset(buffer, 'Z', sizeof buffer);
    set.GetParameterName(0, buffer, 5);
    EXPECT_STREQ(buffer, "Atta");
    EXPECT_EQ(buffer[5], 'Z');
    memset(buffer, 'Z', sizeof buffer);
    set.GetParameterName(2, buffer, 8);
    EXPECT_STREQ(buffer, "");
    memset(buffer, 'Z', sizeof buffer);
    set.GetParameterName(kCount, buffer, 8);
    set.GetParameterName(0, buffer, 0);
    EXPECT_EQ(buffer[0], 'Z');
}

TEST(ParameterSet, SampleRateComesFromTheListenerWhichIsNeverToldOfChanges)
{
    ParameterSet set(kTable, kCount);
    EXPECT_EQ(set.GetSampleRate(), 44100.0f);
    FixedRateListener listener;
    set.SetListener(&listener);
    EXPECT_EQ(set.GetListener(), &listener);
    EXPECT_EQ(set.GetSampleRate(), 96000.0f);
    set.SetParameter(1, 0.0f);
    set.SetParameterValue(1, 1.0f);
    EXPECT_EQ(listener.changes, 0);
}

TEST(ParameterSet, ProcessCopiesEachChannelWithItsStrides)
{
    ParameterSet set(kTable, kCount);
    const float left[] = {1, 2, 3, 4, 5, 6}, right[] = {7, 8, 9, 10, 11, 12};
    const float* inputs[] = {left, right};
    float out0[9] = {}, out1[9] = {};
    float* outputs[] = {out0, out1};
    set.Process(inputs, 2, 2, 3, outputs, 3);
    const float expect0[9] = {1, 0, 0, 3, 0, 0, 5, 0, 0}, expect1[9] = {7, 0, 0, 9, 0, 0, 11, 0, 0};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(out0[i], expect0[i]) << i;
        EXPECT_EQ(out1[i], expect1[i]) << i;
    }
}

TEST(ParameterSetObservers, AreCalledInListOrderIncludingDuplicates)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder a("a", &log), b("b", &log);
    set.AddObserver(&a);
    set.AddObserver(&b);
    set.AddObserver(&a);
    set.SetParameter(2, 0.5f);
    EXPECT_EQ(log, (Log{"a:2", "b:2", "a:2"}));
    set.RemoveObserver(&a);
    set.RemoveObserver(&b);
}

TEST(ParameterSetObservers, RemovalDuringNotificationIsHonouredAndCompactedAfterTheOuterPass)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder a("a", &log), b("b", &log), c("c", &log), d("d", &log);
    for (Recorder* r : {&a, &b, &c, &d})
        set.AddObserver(r);
    // a removes itself and the next two, adjacent entries; they are not called in this pass.
    a.action = [&](int32_t) {
        set.RemoveObserver(&a);
        set.RemoveObserver(&b);
        set.RemoveObserver(&c);
        EXPECT_EQ(set.GetObserverSlots(), 4u);
    };
    set.SetParameter(0, 0.25f);
    EXPECT_EQ(log, (Log{"a:0", "d:0"}));
    EXPECT_EQ(set.GetObserverSlots(), 1u);
    log.clear();
    set.SetParameter(0, 0.5f);
    EXPECT_EQ(log, (Log{"d:0"}));
    set.RemoveObserver(&d);
    EXPECT_EQ(set.GetObserverSlots(), 1u);  // nulled; compacted by the next notification
    set.NotifyObservers(0);
    EXPECT_EQ(set.GetObserverSlots(), 0u);
}

TEST(ParameterSetObservers, ObserverAddedDuringNotificationIsFirstCalledOnTheNextChange)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder a("a", &log), late("late", &log);
    set.AddObserver(&a);
    a.action = [&](int32_t) {
        set.AddObserver(&late);
        a.action = nullptr;
    };
    set.SetParameter(1, 0.0f);
    EXPECT_EQ(log, (Log{"a:1"}));
    set.SetParameter(1, 1.0f);
    EXPECT_EQ(log, (Log{"a:1", "a:1", "late:1"}));
    set.RemoveObserver(&a);
    set.RemoveObserver(&late);
}

TEST(ParameterSetObservers, NestedNotificationRunsCompletelyAndCompactionWaitsForTheOuterPass)
{
    ParameterSet set(kTable, kCount);
    Log log;
    Recorder a("a", &log), b("b", &log), c("c", &log);
    for (Recorder* r : {&a, &b, &c})
        set.AddObserver(r);
    b.action = [&](int32_t index) {
        if (index != 0)
            return;
        set.RemoveObserver(&a);
        set.SetParameter(3, 0.75f);  // inner pass for index 3
        EXPECT_EQ(set.GetObserverSlots(), 3u);
    };
    set.SetParameter(0, 0.5f);
    EXPECT_EQ(log, (Log{"a:0", "b:0", "b:3", "c:3", "c:0"}));
    EXPECT_EQ(set.GetObserverSlots(), 2u);
    set.RemoveObserver(&b);
    set.RemoveObserver(&c);
}

TEST(ParameterSetObservers, MainSetIsAParameterSet)
{
    std::unique_ptr<ParameterSet> set(new MainParameterSet(kTable, kCount));
    Log log;
    Recorder a("a", &log);
    set->AddObserver(&a);
    set->SetParameterValue(2, 6.0f);
    EXPECT_EQ(set->GetParameterValue(2), 6.0f);
    EXPECT_EQ(log, (Log{"a:2"}));
    set->RemoveObserver(&a);
}
