#include <gtest/gtest.h>

#include "CtrlPanel/device/FireWireDevice.h"
#include "CtrlPanel/device/FireWireSession.h"
#include "platform/DebugLog.h"
#include "support/SimDeviceFixture.h"

#include <atomic>
#include <memory>
#include <thread>

namespace {

class FireWireDeviceTest : public SimBusTest {
protected:
    void SetUp() override
    {
        SimBusTest::SetUp();
        device = std::make_unique<FireWireDevice>();
    }
    void TearDown() override
    {
        device.reset();
        SimBusTest::TearDown();
    }
    // Opens and forgets the opening's transfers and sleeps.
    void OpenClean()
    {
        ASSERT_EQ(device->Open(), 0);
        unit.ClearLog();
        clock->Reset();
    }
    static std::vector<ItemValue> Items(uint32_t first, uint32_t n)
    {
        std::vector<ItemValue> v;
        for (uint32_t i = 0; i < n; ++i)
            v.push_back({first + i, 0});
        return v;
    }

    std::unique_ptr<FireWireDevice> device;
};

// --- opening ---

TEST_F(FireWireDeviceTest, OpenReadsInformationBlockAndProbesItemZeroWithoutChangingIt)
{
    unit.SetItem(0, 0x12345678);
    ASSERT_EQ(device->Open(), 0);
    EXPECT_TRUE(device->IsOpen());

    // Word 13 as the firmware-version decoder expects it: major, minor, build.
    const uint32_t w13 = device->InfoWord(13);
    EXPECT_EQ(w13 >> 24, 1u);
    EXPECT_EQ((w13 >> 16) & 0xFF, 2u);
    EXPECT_EQ(w13 & 0xFFFF, 5600u);

    auto log = unit.Log();
    ASSERT_EQ(log.size(), 26u + 3u);
    for (int w = 0; w < 26; ++w) {
        EXPECT_EQ(log[w].kind, SimXfer::ReadQuadlet);
        EXPECT_EQ(log[w].address, kInfoBlockAddress + 4u * w);
    }
    EXPECT_EQ(log[26].kind, SimXfer::ReadQuadlet);
    EXPECT_EQ(log[27].kind, SimXfer::WriteQuadlet);
    EXPECT_EQ(log[28].kind, SimXfer::WriteBlock);
    EXPECT_EQ(log[28].length, 4u);
    EXPECT_EQ(unit.GetItem(0), 0x12345678u);  // both probes wrote the value back unchanged
    auto caps = FireWireSession::GetCapabilities();
    EXPECT_TRUE(caps.quadletRead && caps.quadletWrite && caps.blockWrite);
    EXPECT_FALSE(caps.blockRead);
}

TEST_F(FireWireDeviceTest, OpenRefusesUnitsThatFailTheChecks)
{
    struct Case {
        const char* what;
        void (*script)(SimVelbrin&);
        bool expectProbeWrite;
    };
    const Case cases[] = {
        {"firmware word 0", [](SimVelbrin& u) { u.SetInfoWord(13, 0); }, false},
        {"quadlet read refused", [](SimVelbrin& u) { u.RefuseQuadletRead(true); }, false},
        {"quadlet write refused", [](SimVelbrin& u) { u.RefuseQuadletWrite(true); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimVelbrin other;
        c.script(other);
        bus.Unplug(&unit);
        bus.Plug(&other);
        unit.ClearLog();
        EXPECT_EQ(device->Open(), -1);
        EXPECT_FALSE(device->IsOpen());
        EXPECT_EQ(bus.OpenHandles(), 0);
        EXPECT_EQ(other.Count(SimXfer::WriteQuadlet) > 0, c.expectProbeWrite);
        EXPECT_EQ(other.Count(SimXfer::WriteBlock), 0u);
        bus.Unplug(&other);
        bus.Plug(&unit);
    }
}

TEST_F(FireWireDeviceTest, OpenFailsWithTheInformationBlockReadError)
{
    unit.FailNext(SimXfer::ReadQuadlet, 1, kFwUnsupported);
    EXPECT_EQ(device->Open(), kFwUnsupported);
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(bus.OpenHandles(), 0);
    EXPECT_EQ(device->Open(), 0);  // a later open starts afresh
}

TEST_F(FireWireDeviceTest, RefusedBlockProbeStillOpensAndWritesUseQuadletsOrAvc)
{
    unit.RefuseBlockProbe(true);
    OpenClean();
    EXPECT_FALSE(FireWireSession::GetCapabilities().blockWrite);

    auto five = Items(100, 5);
    EXPECT_EQ(device->WriteItems(five.data(), 5), 0);
    EXPECT_EQ(unit.Count(SimXfer::WriteQuadlet), 5u);

    unit.ClearLog();
    auto six = Items(100, 6);
    six[5].value = 0xCAFEF00D;
    EXPECT_EQ(device->WriteItems(six.data(), 6), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, SimXfer::AVC);
    EXPECT_EQ(log[0].ctype, kAvcControl);
    EXPECT_EQ(log[0].length, 56u);
    EXPECT_EQ(unit.GetItem(105), 0xCAFEF00Du);
}

// --- choosing the transfer ---

TEST_F(FireWireDeviceTest, ReadsUseQuadletsBelowSixItemsAndOneAvcCommandFromSix)
{
    OpenClean();
    unit.SetItem(7, 0xDEADBEEF);
    auto five = Items(5, 5);
    ASSERT_EQ(device->ReadItems(five.data(), 5), 0);
    EXPECT_EQ(unit.Count(SimXfer::ReadQuadlet), 5u);
    EXPECT_EQ(unit.Log().size(), 5u);
    EXPECT_EQ(five[2].value, 0xDEADBEEFu);

    unit.ClearLog();
    auto six = Items(5, 6);
    ASSERT_EQ(device->ReadItems(six.data(), 6), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, SimXfer::AVC);
    EXPECT_EQ(log[0].ctype, kAvcStatus);
    EXPECT_EQ(log[0].length, 56u);
    EXPECT_EQ(six[2].value, 0xDEADBEEFu);
}

TEST_F(FireWireDeviceTest, WritesGoAsOneBlockOfBigEndianPairs)
{
    OpenClean();
    std::vector<ItemValue> pairs = {{3, 0x01020304}, {900, 0xFFFFFFFF}, {12, 0}};
    ASSERT_EQ(device->WriteItems(pairs.data(), 3), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].kind, SimXfer::WriteBlock);
    EXPECT_EQ(log[0].address, kItemBlockWriteAddress);
    EXPECT_EQ(log[0].length, 24u);
    EXPECT_EQ(unit.GetItem(3), 0x01020304u);
    EXPECT_EQ(unit.GetItem(900), 0xFFFFFFFFu);
}

TEST_F(FireWireDeviceTest, EmptyTransfers)
{
    OpenClean();
    EXPECT_EQ(device->ReadItems(nullptr, 0), -1);
    EXPECT_EQ(device->WriteItems(nullptr, 0), 0);
    unit.RefuseBlockProbe(true);
    OpenClean();
    EXPECT_EQ(device->WriteItems(nullptr, 0), 0);
    EXPECT_TRUE(unit.Log().empty());
}

TEST_F(FireWireDeviceTest, LongAvcWritesAreSplitIntoFramesOfAtMost63Pairs)
{
    unit.RefuseBlockProbe(true);
    OpenClean();
    auto pairs = Items(1000, 130);
    for (auto& p : pairs)
        p.value = p.item * 3;
    ASSERT_EQ(device->WriteItems(pairs.data(), 130), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].pairs.size(), 63u);
    EXPECT_EQ(log[1].pairs.size(), 63u);
    EXPECT_EQ(log[2].pairs.size(), 4u);
    EXPECT_EQ(unit.GetItem(1129), 1129u * 3);
}

// --- retries ---

TEST_F(FireWireDeviceTest, TimeoutsAndBusResetsAreRetriedThreeTimesWithSleeps)
{
    OpenClean();
    DebugLogCapture trace;
    unit.FailNext(SimXfer::ReadQuadlet, 3, kFwTimeout);
    auto one = Items(9, 1);
    EXPECT_EQ(device->ReadItems(one.data(), 1), kFwTimeout);
    EXPECT_EQ(unit.Count(SimXfer::ReadQuadlet), 3u);
    EXPECT_EQ(clock->TotalSleptMs(), 1800u);
    if (DebugLogEnabled()) {
        EXPECT_TRUE(trace.Contains("FWAReadQuadlet returned error code 0xe00002d6, 2 retries left...\n"));
        EXPECT_TRUE(trace.Contains("FWAReadQuadlet returned error code 0xe00002d6, 0 retries left...\n"));
        EXPECT_TRUE(trace.Contains("FWAReadQuadlet returned error code 0xe00002d6, given up now...\n"));
        EXPECT_TRUE(trace.Contains("<Q Fail (e00002d6).\n"));
    }

    unit.ClearLog();
    clock->Reset();
    unit.FailNext(SimXfer::WriteBlock, 2, kFwBusReset);
    EXPECT_EQ(device->WriteItems(one.data(), 1), 0);
    EXPECT_EQ(unit.Count(SimXfer::WriteBlock), 3u);
    EXPECT_EQ(clock->TotalSleptMs(), 1200u);
}

TEST_F(FireWireDeviceTest, ABlockWriteRetryOffersTheWholeBlockAgain)
{
    // The failed attempt reports 0 bytes written; the retry must still send all 24.
    OpenClean();
    unit.FailNext(SimXfer::WriteBlock, 1, kFwTimeout);
    std::vector<ItemValue> pairs = {{3, 1}, {4, 2}, {5, 3}};
    ASSERT_EQ(device->WriteItems(pairs.data(), 3), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].length, 24u);
    EXPECT_EQ(unit.GetItem(5), 3u);
}

TEST_F(FireWireDeviceTest, OtherErrorsReturnAfterOneAttempt)
{
    OpenClean();
    unit.FailNext(SimXfer::AVC, 1, kFwUnsupported);
    auto six = Items(1, 6);
    EXPECT_EQ(device->ReadItems(six.data(), 6), kFwUnsupported);
    EXPECT_EQ(unit.Count(SimXfer::AVC), 1u);
    EXPECT_EQ(clock->TotalSleptMs(), 0u);
}

// --- AV/C answers ---

TEST_F(FireWireDeviceTest, AvcReadTakesItemNumbersFromTheAnswer)
{
    OpenClean();
    unit.SetItem(50 + 1000, 77);
    unit.SetAvcAnswer(SimAvcAnswer::RewriteItems, 1000);
    auto six = Items(50, 6);
    ASSERT_EQ(device->ReadItems(six.data(), 6), 0);
    EXPECT_EQ(six[0].item, 1050u);
    EXPECT_EQ(six[5].item, 1055u);
}

TEST_F(FireWireDeviceTest, AvcAnswersThatDoNotCarryOutTheCommandFailWithoutTouchingThePairs)
{
    struct Case {
        const char* what;
        SimAvcAnswer mode;
        uint32_t argument;
    };
    const Case cases[] = {
        {"REJECTED", SimAvcAnswer::Rejected, 0},
        {"NOT IMPLEMENTED", SimAvcAnswer::NotImplemented, 0},
        {"INTERIM", SimAvcAnswer::Interim, 0},
        {"no pairs", SimAvcAnswer::Short, 0},
        {"other subunit", SimAvcAnswer::MismatchedEcho, 1},
        {"other opcode", SimAvcAnswer::MismatchedEcho, 2},
        {"other company", SimAvcAnswer::MismatchedEcho, 4},
        {"other sub-command", SimAvcAnswer::MismatchedEcho, 6},
        {"other count", SimAvcAnswer::MismatchedEcho, 7},
    };
    unit.RefuseBlockProbe(true);  // writes of six pairs go as AV/C too
    OpenClean();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        unit.SetAvcAnswer(c.mode, c.argument);
        auto pairs = Items(20, 8);
        for (auto& p : pairs)
            p.value = 0xA5A5A5A5;
        auto before = pairs;
        unit.ClearLog();
        EXPECT_EQ(device->ReadItems(pairs.data(), 8), kBadAvcAnswer);
        for (size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_EQ(pairs[i].item, before[i].item);
            EXPECT_EQ(pairs[i].value, before[i].value);
        }
        EXPECT_EQ(device->WriteItems(pairs.data(), 8), kBadAvcAnswer);
        EXPECT_EQ(unit.Count(SimXfer::AVC), 2u);  // not retried
    }
    unit.SetAvcAnswer(SimAvcAnswer::Normal);
    auto pairs = Items(20, 8);
    EXPECT_EQ(device->WriteItems(pairs.data(), 8), 0);
    EXPECT_EQ(device->ReadItems(pairs.data(), 8), 0);
}

TEST_F(FireWireDeviceTest, LongReadsAreSplitIntoFramesOfAtMost63Pairs)
{
    OpenClean();
    for (uint32_t item = 2000; item < 2300; ++item)
        unit.SetItem(item, item * 7);
    auto pairs = Items(2000, 300);
    ASSERT_EQ(device->ReadItems(pairs.data(), 300), 0);
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 5u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(log[i].pairs.size(), 63u);
    EXPECT_EQ(log[4].pairs.size(), 48u);
    for (uint32_t i = 0; i < 300; ++i) {
        ASSERT_EQ(pairs[i].item, 2000 + i);
        ASSERT_EQ(pairs[i].value, (2000 + i) * 7);
    }
}

// --- closing and losing the unit ---

TEST_F(FireWireDeviceTest, EveryTransferIsRefusedWithoutBusActivityAfterClose)
{
    OpenClean();
    EXPECT_EQ(device->Close(), 0);
    EXPECT_FALSE(device->IsOpen());
    device->Close();  // idempotent
    auto five = Items(1, 5);
    auto eight = Items(1, 8);
    EXPECT_EQ(device->ReadItems(five.data(), 5), -1);
    EXPECT_EQ(device->ReadItems(eight.data(), 8), -1);
    EXPECT_EQ(device->WriteItems(five.data(), 5), -1);
    EXPECT_EQ(device->WriteItems(eight.data(), 8), -1);
    EXPECT_TRUE(unit.Log().empty());
    EXPECT_EQ(bus.RefusedTransfers(), 0);  // refused before reaching the bus
    EXPECT_EQ(clock->TotalSleptMs(), 0u);
}

TEST_F(FireWireDeviceTest, UnplugAndReplugGivesANewNodeIdAndOpensAgain)
{
    OpenClean();
    const uint32_t oldNode = FireWireSession::NodeId();
    ASSERT_NE(oldNode, 0u);

    bus.Unplug(&unit);
    DrainMainThreadQueue();  // the loss notice arrives on the GUI thread
    EXPECT_EQ(FireWireSession::NodeId(), 0u);
    auto one = Items(1, 1);
    EXPECT_EQ(device->ReadItems(one.data(), 1), kFwNoDevice);  // the stale handle fails
    device->Close();
    EXPECT_EQ(device->Open(), -1);

    const uint32_t newNode = bus.Plug(&unit);
    EXPECT_NE(newNode, oldNode);
    // Open rescans the bus itself: it does not wait for the arrival notice.
    EXPECT_EQ(device->Open(), 0);
    EXPECT_EQ(FireWireSession::NodeId(), newNode);
    DrainMainThreadQueue();
    EXPECT_EQ(FireWireSession::NodeId(), newNode);
}

TEST_F(FireWireDeviceTest, ReEnumerationBeforeTheLossNoticeKeepsTheNewNode)
{
    OpenClean();
    const uint32_t newNode = bus.Plug(&unit);  // leaves and comes back at once
    device->Close();
    EXPECT_EQ(device->Open(), 0);
    DrainMainThreadQueue();  // the stale loss notice must not clear the new node id
    EXPECT_EQ(FireWireSession::NodeId(), newNode);
}

// --- concurrency ---

TEST_F(FireWireDeviceTest, TransfersFromTwoThreadsNeverInterleave)
{
    unit.RefuseBlockProbe(true);
    OpenClean();
    std::atomic<bool> failed{false};
    auto worker = [&](uint32_t base) {
        for (int round = 0; round < 50; ++round) {
            auto pairs = Items(base, 4);
            if (device->WriteItems(pairs.data(), 4) != 0 || device->ReadItems(pairs.data(), 4) != 0)
                failed = true;
        }
    };
    std::thread a(worker, 100), b(worker, 200);
    a.join();
    b.join();
    EXPECT_FALSE(failed);
    // Every run of four quadlets belongs to one call: same kind, same block of items.
    auto log = unit.Log();
    ASSERT_EQ(log.size(), 2u * 50 * 2 * 4);
    for (size_t i = 0; i < log.size(); i += 4) {
        for (size_t j = 1; j < 4; ++j) {
            EXPECT_EQ(log[i + j].kind, log[i].kind);
            EXPECT_EQ(log[i + j].pairs.at(0).item, log[i].pairs.at(0).item + j);
        }
    }
}

}  // namespace
