#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <map>
#include <thread>
#include <vector>

#include "CtrlPanel/device/ParamWriter.h"
#include "CtrlPanel/device/WriterBlocks.h"

namespace {

std::vector<ItemValue> DrainAll(ParamWriter& w)
{
    std::vector<ItemValue> out;
    ItemValue buf[kWriterPairsPerCycle];
    while (uint32_t n = w.PopPending(buf, kWriterPairsPerCycle))
        out.insert(out.end(), buf, buf + n);
    return out;
}

std::vector<uint32_t> Items(const std::vector<ItemValue>& pairs)
{
    std::vector<uint32_t> items;
    for (const ItemValue& p : pairs)
        items.push_back(p.item);
    return items;
}

}  // namespace

TEST(ParamWriter, NewBlockIsCleanAndPopsTheEmptyPair)
{
    ParamWriter w(1280, 252);
    EXPECT_EQ(w.GetPendingCount(), 0u);
    ItemValue p = w.PopPending();
    EXPECT_EQ(p.item, 0u);
    EXPECT_EQ(p.value, 0u);
    ItemValue buf[4];
    EXPECT_EQ(w.PopPending(buf, 4), 0u);
}

TEST(ParamWriter, IndexOutsideTheBlockIsIgnored)
{
    ParamWriter w(768, 8);
    w.SetValue(8, 5);
    w.SetValue(0xFFFFFFFFu, 5);
    w.SetFloat(9, 0.5f);
    w.Trigger(100);
    EXPECT_EQ(w.GetPendingCount(), 0u);

    w.SetValue(7, 5);
    ASSERT_EQ(w.GetPendingCount(), 1u);
    ItemValue p = w.PopPending();
    EXPECT_EQ(p.item, 775u);
    EXPECT_EQ(p.value, 5u);
}

TEST(ParamWriter, FloatsBecomeSaturatedSigned131)
{
    struct Case {
        float in;
        uint32_t out;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {1.0f, 0x7FFFFFFFu},
        {-1.0f, 0x80000001u},
        {0.5f, 1073741823u},
        {-0.5f, uint32_t(-1073741823)},
        {0.0f, 0u},
        {-0.0f, 0u},
        {0.25f, 536870911u},
        {2.0f, 0x7FFFFFFFu},
        {-2.0f, 0x80000001u},
        {inf, 0x7FFFFFFFu},
        {-inf, 0x80000001u},
        {std::nanf(""), 0u},
        {0.99999994f, 2147483519u},  // the largest float below 1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ParamWriter::ToFixed(c.in), c.out);
        ParamWriter w(512, 4);
        w.SetFloat(2, c.in);
        EXPECT_EQ(w.PopPending().value, c.out);
    }
}

TEST(ParamWriter, PopsLowestIndexFirstWithBaseItemAdded)
{
    ParamWriter w(1531, 252);
    w.SetValue(7, 70);
    w.SetValue(3, 30);
    w.SetValue(250, 2500);
    EXPECT_EQ(w.GetPendingCount(), 3u);
    std::vector<ItemValue> pairs = DrainAll(w);
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].item, 1534u);
    EXPECT_EQ(pairs[0].value, 30u);
    EXPECT_EQ(pairs[1].item, 1538u);
    EXPECT_EQ(pairs[2].item, 1781u);
    EXPECT_EQ(w.GetPendingCount(), 0u);
}

TEST(ParamWriter, ValueSetTwiceGoesOutOnceWithTheLaterValue)
{
    ParamWriter w(1024, 1);
    w.SetValue(0, 1);
    w.SetValue(0, 4);
    EXPECT_EQ(w.GetPendingCount(), 1u);
    std::vector<ItemValue> pairs = DrainAll(w);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].value, 4u);

    // An unchanged value is sent again.
    w.SetValue(0, 4);
    EXPECT_EQ(w.GetPendingCount(), 1u);
    // A popped entry set again goes out again.
    EXPECT_EQ(DrainAll(w).size(), 1u);
    EXPECT_EQ(w.GetPendingCount(), 0u);
}

TEST(ParamWriter, BatchPopTakesAtMostTheAskedNumberInIndexOrder)
{
    ParamWriter w(512, 180);
    for (uint32_t i = 0; i < 45; ++i)
        w.SetValue(179 - 3 * i, i);  // 45 entries, written from the top down
    ItemValue buf[kWriterPairsPerCycle];
    std::vector<uint32_t> counts;
    uint32_t lastItem = 0;
    while (uint32_t n = w.PopPending(buf, kWriterPairsPerCycle)) {
        counts.push_back(n);
        for (uint32_t i = 0; i < n; ++i) {
            EXPECT_GT(buf[i].item, lastItem);
            lastItem = buf[i].item;
        }
    }
    EXPECT_EQ(counts, (std::vector<uint32_t>{20, 20, 5}));
    EXPECT_EQ(w.PopPending(buf, 0), 0u);
}

TEST(ParamWriter, DisabledBlockReportsNothingPendingButStillPops)
{
    ParamWriter w(501, 2);
    w.SetFloat(1, 1.0f);
    w.SetEnabled(false);
    EXPECT_FALSE(w.IsEnabled());
    EXPECT_EQ(w.GetPendingCount(), 0u);
    EXPECT_EQ(w.PopPending().item, 502u);
    w.SetEnabled(true);
    EXPECT_EQ(w.GetPendingCount(), 0u);
}

TEST(ParamWriter, FloatRunsStopAtTheBlockEndAndIgnoreEmptyCounts)
{
    ParamWriter w(768, 8);
    const float v[4] = {0.5f, -0.5f, 0.25f, 1.0f};
    w.SetFloats(0, v, 0);
    w.SetFloatArray(0, v, -3);
    EXPECT_EQ(w.GetPendingCount(), 0u);

    w.SetFloats(6, v, 4);
    std::vector<ItemValue> pairs = DrainAll(w);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].item, 774u);
    EXPECT_EQ(pairs[0].value, 1073741823u);
    EXPECT_EQ(pairs[1].value, uint32_t(-1073741823));

    w.SetFloatArray(1, v, 3);
    EXPECT_EQ(Items(DrainAll(w)), (std::vector<uint32_t>{769, 770, 771}));
}

TEST(ParamWriter, CoefficientSetFillsShiftNumeratorDenominatorAndCommit)
{
    ParamWriter w(512, 180);
    CoefficientSet set{2, {0.5f, -0.25f, 0.125f}, {0.5f, -0.75f, 0.375f}};
    w.SetCoefficientSet(30, set);
    std::vector<ItemValue> pairs = DrainAll(w);
    EXPECT_EQ(Items(pairs), (std::vector<uint32_t>{542, 543, 544, 545, 548, 549, 552}));
    ASSERT_EQ(pairs.size(), 7u);
    EXPECT_EQ(pairs[0].value, 2u);
    EXPECT_EQ(pairs[1].value, ParamWriter::ToFixed(0.5f));
    EXPECT_EQ(pairs[3].value, ParamWriter::ToFixed(0.125f));
    EXPECT_EQ(pairs[4].value, ParamWriter::ToFixed(-0.75f));
    EXPECT_EQ(pairs[5].value, ParamWriter::ToFixed(0.375f));
    EXPECT_EQ(pairs[6].value, 1u);

    // A set whose commit would fall outside the block is not written at all.
    set.shift = 1;
    w.SetCoefficientSet(170, set);
    EXPECT_EQ(w.GetPendingCount(), 0u);
}

TEST(ParamWriter, CurveAndCommitComeOutValuesFirst)
{
    ParamWriter w(1280, 252);
    std::vector<float> curve(128);
    for (int i = 0; i < 128; ++i)
        curve[size_t(i)] = float(i) / 64.0f - 1.0f;
    w.SetFloatsAndTrigger(121, curve.data(), 128, 249);
    std::vector<ItemValue> pairs = DrainAll(w);
    ASSERT_EQ(pairs.size(), 129u);
    for (int i = 0; i < 128; ++i) {
        EXPECT_EQ(pairs[size_t(i)].item, 1280u + 121u + uint32_t(i));
        EXPECT_EQ(pairs[size_t(i)].value, ParamWriter::ToFixed(curve[size_t(i)]));
    }
    EXPECT_EQ(pairs[128].item, 1280u + 249u);
    EXPECT_EQ(pairs[128].value, 1u);
}

TEST(WriterBlocks, SlotsFitTheirBlocksAndTheInputsStayApart)
{
    for (int input = 0; input < 2; ++input) {
        for (int band = 0; band < 4; ++band) {
            uint32_t slot = kEqBandSlot[input][band];
            EXPECT_LT(slot + ParamWriter::kSetCommitOffset, kEqBlockCount);
            for (int other = 0; other < 4; ++other) {
                uint32_t o = kEqBandSlot[1 - input][other];
                EXPECT_TRUE(slot + kEqBandSlotSize <= o || o + kEqBandSlotSize <= slot);
            }
        }
    }
    EXPECT_EQ(kAmpCurveFirstIndex + kAmpCurvePoints, kAmpCurveCommitIndex);
    EXPECT_LT(kAmpOutputLevelIndex, kAmpSimBlockCount);
    EXPECT_LT(kAmpHighToneSlot + ParamWriter::kSetCommitOffset, kAmpCurveFirstIndex);
    EXPECT_EQ(kAmpSim1BaseItem + kAmpSimBlockCount - 1, kAmpSim2BaseItem);
}

// The device side of the polling thread: pops batches of at most 20 pairs and applies them in
// order. Whenever a commit arrives, the words it commits must all belong to one written set, and
// once the writer has stopped, the last set must have arrived complete.
TEST(ParamWriterConcurrency, CoefficientSetIsNeverPoppedHalfUpdated)
{
    ParamWriter w(512, 180);
    const uint32_t slots[] = {10, 30, 50, 70, 90};
    const int kSets = 20000;
    std::atomic<bool> done{false};

    auto coefficient = [](uint32_t gen, uint32_t k) {
        return float(int(gen % 1000u) - 500) / 1024.0f + float(k) / 8192.0f;
    };

    std::thread writer([&] {
        for (int g = 1; g <= kSets; ++g) {
            uint32_t gen = uint32_t(g);
            CoefficientSet set;
            set.shift = int32_t(gen);
            for (uint32_t k = 0; k < 3; ++k)
                set.b[k] = coefficient(gen, k);
            for (uint32_t k = 0; k < 2; ++k)
                set.a[1 + k] = coefficient(gen, 3 + k);
            w.SetCoefficientSet(slots[gen % 5], set);
        }
        done = true;
    });

    std::map<uint32_t, uint32_t> device;  // item -> last value received
    int commits = 0;
    int mismatches = 0;
    auto apply = [&](const ItemValue* pairs, uint32_t n) {
        for (uint32_t i = 0; i < n; ++i) {
            device[pairs[i].item] = pairs[i].value;
            uint32_t index = pairs[i].item - 512;
            for (uint32_t slot : slots) {
                if (index != slot + ParamWriter::kSetCommitOffset)
                    continue;
                ++commits;
                uint32_t gen = device[512 + slot];
                const uint32_t offsets[5] = {1, 2, 3, 6, 7};
                for (uint32_t k = 0; k < 5; ++k)
                    if (device[512 + slot + offsets[k]] != ParamWriter::ToFixed(coefficient(gen, k)))
                        ++mismatches;
            }
        }
    };

    ItemValue buf[kWriterPairsPerCycle];
    while (!done) {
        uint32_t n = w.PopPending(buf, kWriterPairsPerCycle);
        apply(buf, n);
        ItemValue one = w.PopPending();  // the single-pair pop interleaves too
        if (one.item != 0)
            apply(&one, 1);
    }
    writer.join();
    while (uint32_t n = w.PopPending(buf, kWriterPairsPerCycle))
        apply(buf, n);

    EXPECT_GT(commits, 0);
    EXPECT_EQ(mismatches, 0);
    // No write was lost: each slot ends with the last set written to it.
    for (uint32_t s = 0; s < 5; ++s) {
        uint32_t slot = slots[s];
        uint32_t last = uint32_t(kSets) - ((uint32_t(kSets) - s) % 5u);
        EXPECT_EQ(device[512 + slot], last) << "slot " << slot;
        EXPECT_EQ(device[512 + slot + 7], ParamWriter::ToFixed(coefficient(last, 4)));
        EXPECT_EQ(device[512 + slot + 10], 1u);
    }
}
