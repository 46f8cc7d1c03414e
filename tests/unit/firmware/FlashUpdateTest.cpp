#include "FirmwareFixture.h"

#include <atomic>
#include <cmath>
#include <thread>

namespace {

constexpr uint32_t kMain = 0x20000000;
constexpr uint32_t kSecond = 0x20100000;
constexpr uint32_t kCnE = 0x201A0000;

// (progress on the 0..5400 scale, phase) whenever it changed, seen at every wait and message.
using Step = std::pair<long, int>;

class FlashUpdateTest : public FirmwareTest {
protected:
    void SetUp() override
    {
        FirmwareTest::SetUp();
        auto sink = [this](const std::string& line) {
            messages.push_back(line);
            Sample();
        };
        updater->SetMessageSink(sink);
        clock.sample = [this] { Sample(); };
    }
    void Sample()
    {
        if (!updater)
            return;
        const Step s{std::lround(updater->GetProgress() * 5400.0f), updater->GetPhase()};
        if (steps.empty() || steps.back() != s)
            steps.push_back(s);
    }

    // Update and RunUpdate; the run's frames, messages and steps are kept apart from the update's.
    int Run(const FirmwareFile& f)
    {
        EXPECT_EQ(updater->Update(f.bytes.data(), uint32_t(f.bytes.size())), 0);
        unit.flash.ClearLog();
        messages.clear();
        steps.clear();
        clock.Reset();
        return updater->RunUpdate();
    }

    std::vector<SentFrame> Blocks() const
    {
        std::vector<SentFrame> out;
        for (const SentFrame& f : Frames())
            if (f.command == kFlashBlock)
                out.push_back(f);
        return out;
    }

    std::vector<Step> steps;
};

const FirmwareFile& FullFile()
{
    static const FirmwareFile f = FirmwareFile::Build(
        {{kImageMain, 1500, kMain}, {kImageSecond, 2500, kSecond}, {kImageCnE, 700, 0}});
    return f;
}

TEST_F(FlashUpdateTest, AWholeUpdateSendsTheExactFramesAndLeavesTheImagesInFlash)
{
    const FirmwareFile& f = FullFile();
    ASSERT_EQ(Run(f), 0);

    const std::vector<SentFrame> frames = Frames();
    const std::vector<uint8_t> expected = {kFlashReset, kFlashHalt,
                                           kFlashStart, kFlashBlock, kFlashBlock, kFlashEnd,
                                           kFlashStart, kFlashBlock, kFlashBlock, kFlashBlock, kFlashEnd,
                                           kFlashStart, kFlashBlock, kFlashEnd,
                                           kFlashFinal};
    ASSERT_EQ(Commands(), expected);
    const uint8_t subs[] = {1, 0, 10, 3, 3, 0, 10, 3, 3, 3, 0, 10, 3, 0, 1};
    const size_t lengths[] = {12, 8, 48, 20, 20, 8, 48, 20, 20, 20, 8, 48, 20, 8, 12};
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(frames[i].deviceId, unit.flash.DeviceId());
        EXPECT_EQ(frames[i].sequence, i + 1);
        EXPECT_EQ(frames[i].sub, subs[i]);
        EXPECT_EQ(frames[i].bytes.size(), lengths[i]);
    }
    EXPECT_EQ(frames[0].Arg(8), 1u) << "reset carries the byte 1";
    EXPECT_EQ(frames[14].Arg(8), 0u) << "the final command carries 4 zero bytes";

    // Image 2's start: not CnE, the raw date and time words, versions 1 and 2, address, length, checksum.
    const SentFrame& start2 = frames[6];
    const uint32_t startArgs[] = {0,
                                  GetLE32(f.bytes.data() + 8), GetLE32(f.bytes.data() + 12),
                                  GetLE32(f.bytes.data() + 16), GetLE32(f.bytes.data() + 20),
                                  0x01010000, 0x01010001,
                                  kSecond, 2500, f.table[kImageSecond].checksum};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(start2.Arg(8 + 4 * i), startArgs[i]) << "start argument at " << 8 + 4 * i;
    EXPECT_EQ(frames[11].Arg(8), 1u) << "CnE flag";
    EXPECT_EQ(frames[11].Arg(36), kCnE);

    // Image 2 of 2500 bytes: blocks of 1024, 1024 and 452 bytes, counters 0, 1, 2.
    const uint32_t blockArgs[][3] = {{0, kSecond, 1024}, {1, kSecond + 1024, 1024}, {2, kSecond + 2048, 452}};
    for (int b = 0; b < 3; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(frames[7 + b].Arg(8), blockArgs[b][0]);
        EXPECT_EQ(frames[7 + b].Arg(12), blockArgs[b][1]);
        EXPECT_EQ(frames[7 + b].Arg(16), blockArgs[b][2]);
    }

    const SimFlashMemory flash = unit.flash.Memory();
    EXPECT_EQ(flash.ProgrammedRanges(), (std::vector<std::pair<uint32_t, uint32_t>>{
                                            {kMain, 1500}, {kSecond, 2500}, {kCnE, 700}}));
    EXPECT_EQ(flash.Read(kMain, 1500), f.Payload(kImageMain));
    EXPECT_EQ(flash.Read(kSecond, 2500), f.Payload(kImageSecond));
    EXPECT_EQ(flash.Read(kCnE, 700), f.Payload(kImageCnE));

    for (const SimFlashTransfer& t : unit.flash.Log()) {
        EXPECT_FALSE(t.failOnReset);
        EXPECT_EQ(t.generation, updater->BusGeneration());
    }
    EXPECT_FALSE(updater->IsDeviceOpen());
    EXPECT_TRUE(updater->DriversLoaded());
    EXPECT_TRUE(runner.UnloadedDrivers().empty());
    EXPECT_EQ(runner.Authorizations(), 1) << "one request for rights per update";
    EXPECT_FALSE(runner.IsAuthorized());
}

TEST_F(FlashUpdateTest, MessagesProgressAndPhasesFollowTheSequence)
{
    ASSERT_EQ(Run(FullFile()), 0);
    const std::vector<std::string> said = {
        "Waiting for Reset acknowledge ...", "Waiting for Halt acknowledge ...",
        " 60% done ...", "100% done ...", "Waiting For EndUpdate acknowledge ...", "CRC OK!",
        " 40% done ...", " 80% done ...", "100% done ...", "Waiting For EndUpdate acknowledge ...", "CRC OK!",
        "Erasing flash for CNE and beginning update ...",
        "100% done ...", "Waiting For EndUpdate acknowledge ...", "CRC OK!"};
    EXPECT_EQ(messages, said);

    const std::vector<Step> expected = {{500, 1},  {600, 1},  {900, 1},  {1060, 1}, {1160, 2},
                                        {2028, 3}, {2096, 3}, {2128, 3}, {3400, 3}, {4300, 3},
                                        {4300, 4}, {4400, 4}, {5200, 5}, {5400, 6}};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(updater->GetProgress(), 1.0f);
}

TEST_F(FlashUpdateTest, AFileWithOnlyTheCnEImageGoesFromHaltToCnE)
{
    ASSERT_EQ(Run(FirmwareFile::Build({{kImageCnE, 300, 0}})), 0);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kFlashReset, kFlashHalt, kFlashStart, kFlashBlock, kFlashEnd,
                                                kFlashFinal}));
    const std::vector<Step> expected = {{500, 1},  {600, 1},  {900, 1},  {1060, 1},
                                        {1160, 4}, {4400, 4}, {5200, 5}, {5400, 6}};
    EXPECT_EQ(steps, expected);
}

TEST_F(FlashUpdateTest, ImageOneGoesExactlyItsLengthWhenItIsNotLastInTheFile)
{
    const FirmwareFile f = FirmwareFile::Build({{kImageMain, 1100, kMain}, {kImageSecond, 600, kSecond}});
    ASSERT_EQ(Run(f), 0);
    const std::vector<SentFrame> blocks = Blocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].Arg(16) + blocks[1].Arg(16), 1100u);
    EXPECT_EQ(unit.flash.Memory().ProgrammedRanges(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{kMain, 1100}, {kSecond, 600}}));
}

TEST_F(FlashUpdateTest, WithoutAPreparedUpdateNothingIsSent)
{
    EXPECT_EQ(updater->RunUpdate(), FirmwareUpdater::kStartFailed);
    const FirmwareFile other = FirmwareFile::Build({{kImageMain, 10, kMain}});
    ASSERT_EQ(updater->Update(FullFile().bytes.data(), uint32_t(FullFile().bytes.size())), 0);
    FirmwareImageInfo info;
    ASSERT_EQ(updater->ParseImageHeader(other.bytes.data(), uint32_t(other.bytes.size()), &info), 0);
    EXPECT_EQ(updater->RunUpdate(), FirmwareUpdater::kStartFailed) << "the table no longer fits the copy";
    EXPECT_TRUE(unit.flash.Frames().empty());
}

struct FailureCase {
    const char* what;
    std::function<void(SimFlashProtocol&)> script;
    int result;
    const char* message;  // one line that must be printed, or nullptr
    int timeouts;         // "TIMEOUT!" lines
    bool finalSent;
};

TEST_F(FlashUpdateTest, ScriptedFaultsEndWithTheirResultAndTheDriversComeBack)
{
    using F = SimFlashFault;
    const FailureCase cases[] = {
        {"reset never acknowledged", [](SimFlashProtocol& p) { p.Script(kFlashReset, 1, F::DropReply); }, 2,
         "TIMEOUT!", 1, false},
        {"reset acknowledged with the 30th read",
         [](SimFlashProtocol& p) { p.Script(kFlashReset, 1, F::LateReply, 30); }, 0, nullptr, 0, true},
        {"reset acknowledged with the 31st read",
         [](SimFlashProtocol& p) { p.Script(kFlashReset, 1, F::LateReply, 31); }, 2, "TIMEOUT!", 1, false},
        {"halt never acknowledged", [](SimFlashProtocol& p) { p.Script(kFlashHalt, 1, F::DropReply); }, 1,
         "Couldn't Halt", 1, true},
        {"start of image 1 never acknowledged", [](SimFlashProtocol& p) { p.Script(kFlashStart, 1, F::DropReply); },
         2, "Download aborted, start download failed.", 1, true},
        {"start of image 2 with the 20th read",
         [](SimFlashProtocol& p) { p.Script(kFlashStart, 2, F::LateReply, 20); }, 0, nullptr, 0, true},
        {"start of image 2 with the 21st read",
         [](SimFlashProtocol& p) { p.Script(kFlashStart, 2, F::LateReply, 21); }, 2,
         "Download aborted, start download failed.", 1, true},
        // A block without its echo is reported and passed; the bytes reached the unit, so the checksum holds.
        {"echo of image 1's second block corrupted",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 2, F::CorruptEcho); }, 0, "TIMEOUT!", 1, true},
        {"echo of the first block dropped", [](SimFlashProtocol& p) { p.Script(kFlashBlock, 1, F::DropReply); }, 0,
         "TIMEOUT!", 1, true},
        // The wait counts 1 ms per further read: an echo with the 500th is late, though the image goes on.
        {"echo with the 499th further read",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 1, F::LateReply, 500); }, 0, nullptr, 0, true},
        {"echo with the 500th further read",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 1, F::LateReply, 501); }, 0, "TIMEOUT!", 1, true},
        {"echo with the 502nd further read",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 1, F::LateReply, 503); }, 0, "TIMEOUT!", 1, true},
        {"echo after the first read and 503 more",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 1, F::LateReply, 504); }, 0, "TIMEOUT!", 1, true},
        {"end of image 2 never acknowledged", [](SimFlashProtocol& p) { p.Script(kFlashEnd, 2, F::DropReply); }, 3,
         "Ending Update of Image #2 with Error 0xe00002bc", 1, true},
        {"end of CnE never acknowledged", [](SimFlashProtocol& p) { p.Script(kFlashEnd, 3, F::DropReply); }, 3,
         "Ending Update of CNE with Error 0xe00002bc", 1, true},
        // The rest of image 2 cannot be sent, nor its end: the bus's "no device" ends the image.
        {"unit leaves the bus after image 2's second block",
         [](SimFlashProtocol& p) { p.Script(kFlashBlock, 4, F::LeaveBus); }, 3,
         "Ending Update of Image #2 with Error 0xe00002c0", 1, false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        updater = std::make_unique<FirmwareUpdater>();
        updater->SetMessageSink([this](const std::string& line) { messages.push_back(line); });
        runner.Clear();
        bus.Plug(&unit);
        ASSERT_EQ(updater->Update(FullFile().bytes.data(), uint32_t(FullFile().bytes.size())), 0);
        unit.flash.ClearLog();
        messages.clear();
        c.script(unit.flash);

        EXPECT_EQ(updater->RunUpdate(), c.result);
        if (c.message) {
            EXPECT_TRUE(Said(c.message)) << c.message;
        }
        EXPECT_EQ(std::count(messages.begin(), messages.end(), "TIMEOUT!"), c.timeouts);
        const std::vector<uint8_t> commands = Commands();
        EXPECT_EQ(!commands.empty() && commands.back() == kFlashFinal, c.finalSent);
        EXPECT_EQ(std::count(commands.begin(), commands.end(), kFlashFinal), c.finalSent ? 1 : 0);

        EXPECT_EQ(updater->Close(), 1);
        EXPECT_TRUE(runner.UnloadedDrivers().empty());
        EXPECT_EQ(raw.OpenDevices(), 0);
    }
}

// The late echo belongs to image 1's first block; the next block still goes to its own counter and address.
TEST_F(FlashUpdateTest, AnEchoPastItsWaitIsATimeoutAndTheImageGoesOnToItsChecksum)
{
    const FirmwareFile& f = FullFile();
    ASSERT_EQ(updater->Update(f.bytes.data(), uint32_t(f.bytes.size())), 0);
    unit.flash.ClearLog();
    unit.flash.Script(kFlashBlock, 1, SimFlashFault::LateReply, 600);
    EXPECT_EQ(updater->RunUpdate(), 0);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kFlashReset, kFlashHalt,
                                                kFlashStart, kFlashBlock, kFlashBlock, kFlashEnd,
                                                kFlashStart, kFlashBlock, kFlashBlock, kFlashBlock, kFlashEnd,
                                                kFlashStart, kFlashBlock, kFlashEnd,
                                                kFlashFinal}));
    const std::vector<SentFrame> blocks = Blocks();
    EXPECT_EQ(blocks[1].Arg(8), 1u);
    EXPECT_EQ(blocks[1].Arg(12), kMain + 1024);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "TIMEOUT!"), 1);
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "CRC OK!"), 3);

    const SimFlashMemory flash = unit.flash.Memory();
    EXPECT_EQ(flash.Read(kMain, 1500), f.Payload(kImageMain));
    EXPECT_EQ(flash.Read(kSecond, 2500), f.Payload(kImageSecond));
    EXPECT_EQ(flash.Read(kCnE, 700), f.Payload(kImageCnE));
    EXPECT_TRUE(updater->DriversLoaded());
}

TEST_F(FlashUpdateTest, AWrongChecksumIsABadCrcAndAMissingAcknowledgeATimeout)
{
    const FirmwareFile bad = FirmwareFile::Build({{kImageMain, 1500, kMain, true}});
    ASSERT_EQ(Run(bad), 3);
    EXPECT_TRUE(Said("Bad CRC!"));
    EXPECT_FALSE(Said("TIMEOUT!"));

    // No acknowledge while the previous answer still says "checksum bad": a timeout, nothing else.
    ASSERT_EQ(updater->Close(), 1);
    unit.flash.Script(kFlashEnd, 1, SimFlashFault::DropReply);
    ASSERT_EQ(Run(FullFile()), 3);
    EXPECT_TRUE(Said("TIMEOUT!"));
    EXPECT_FALSE(Said("Bad CRC!"));
    EXPECT_FALSE(Said("CRC OK!"));
}

TEST_F(FlashUpdateTest, ANeverAcknowledgedResetGivesUpAfter35Seconds)
{
    unit.flash.Script(kFlashReset, 1, SimFlashFault::DropReply);
    EXPECT_EQ(Run(FullFile()), 2);
    EXPECT_EQ(clock.TotalSleptMs(), 35000u);
}

TEST(FlashUpdateThreads, ProgressAndPhaseAreReadWhileTheUpdateRuns)
{
    ScopedSimClock clock;
    SimPrivilegedRunner runner;
    SimFireWireBus bus;
    SimVelbrin unit;
    SimFireWireRawBus raw(bus);
    SimBackends::Install(&bus, &raw, nullptr, &runner);
    bus.Plug(&unit);
    {
        FirmwareUpdater updater;
        updater.SetMessageSink([](const std::string&) {});
        ASSERT_EQ(updater.Update(FullFile().bytes.data(), uint32_t(FullFile().bytes.size())), 0);
        std::atomic<bool> done{false};
        int result = -1;
        std::thread worker([&] {
            result = updater.RunUpdate();
            done = true;
        });
        float lastProgress = 0.0f;
        int lastPhase = 0;
        bool ordered = true;
        while (!done) {
            const float p = updater.GetProgress();
            const int phase = updater.GetPhase();
            ordered = ordered && p >= lastProgress && p <= 1.0f && phase >= lastPhase && phase <= 6;
            lastProgress = p;
            lastPhase = phase;
        }
        worker.join();
        EXPECT_TRUE(ordered);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(updater.GetProgress(), 1.0f);
        EXPECT_EQ(updater.GetPhase(), 6);
    }
    DrainMainThreadQueue();
    SimBackends::Uninstall();
}

}  // namespace
