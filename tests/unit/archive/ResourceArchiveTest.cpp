#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "PAL/ResourceArchive.h"
#include "platform/ByteOrder.h"
#include "platform/DebugLog.h"
#include "support/TempFolder.h"
#include "unit/archive/TestArchive.h"

namespace {

std::string PayloadOf(const ResourceRecord* record)
{
    if (!record || !record->GetData())
        return "<none>";
    return std::string(reinterpret_cast<const char*>(record->GetData()), record->GetSize());
}

const std::vector<uint8_t> kEntries = MakeArchive({{"Background.bmp", Bytes("first"), 0x11223344},
                                                   {"Knob.bmp", Bytes("knob strip"), 7},
                                                   {"Background.bmp", Bytes("shadowed"), 0},
                                                   {"Empty.csv", {}, 0}});

}  // namespace

TEST(ResourceArchive, FindsCopiedRecordsByNameInDirectoryOrder)
{
    std::vector<uint8_t> image = kEntries;
    ResourceArchive archive;
    EXPECT_EQ(archive.LoadFromMemory(image.data(), image.size()), 4u);
    std::fill(image.begin(), image.end(), 0);  // the payloads are copies
    ASSERT_EQ(archive.Count(), 4u);
    EXPECT_TRUE(archive.Owns());
    const ResourceRecord* background = archive.Find("Background.bmp");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(PayloadOf(background), "first");  // the first of two equal names wins
    EXPECT_EQ(background->GetSecondWord(), 0x11223344u);
    EXPECT_STREQ(background->GetName(), "Background.bmp");
    EXPECT_EQ(PayloadOf(archive.Find("Knob.bmp\nKnobMask.bmp\n")), "knob strip");  // a name in argument text
    for (const char* other : {"knob.bmp", "Knob", static_cast<const char*>(nullptr)})
        EXPECT_EQ(archive.Find(other), nullptr);
    const ResourceRecord* empty = archive.Find("Empty.csv");  // an empty payload still has a pointer
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->GetSize() == 0 && empty->GetData() != nullptr);
    EXPECT_EQ(ResourceRecord("Lost.bmp", 8, 0, nullptr, 1000).GetSize(), 0u);  // payload not stored
}

TEST(ResourceArchive, LoadReadsAFileAndLeavesTheArchiveEmptyWhenItCannot)
{
    const TempFolder folder;
    const std::string file = folder / "entries.res";
    TempFolder::Write(file, kEntries);
    ResourceArchive archive;
    for (const char* path : {"/nonexistent/ProjectResources.res", "/tmp", static_cast<const char*>(nullptr)}) {
        ASSERT_EQ(archive.Load(file.c_str()), 4u);
        EXPECT_EQ(PayloadOf(archive.Find("Knob.bmp")), "knob strip");
        EXPECT_EQ(archive.Load(path), 0u);
        EXPECT_EQ(archive.Count(), 0u);
    }
}

TEST(ResourceArchive, ImagesWithoutADirectoryAreEmptyAndAHugeCountIsCapped)
{
    // No bytes, three bytes, count 0, a negative count, count 1 without a directory.
    const std::vector<std::vector<uint8_t>> images = {
        {}, {0, 0, 1}, {0, 0, 0, 0}, {0x80, 0, 0, 5, 0, 0, 0, 12, 0, 0, 0, 12}, {0, 0, 0, 1}};
    ResourceArchive archive;
    for (const auto& image : images) {
        archive.LoadFromMemory(kEntries.data(), kEntries.size());
        archive.LoadFromMemory(image.data(), image.size());
        EXPECT_EQ(archive.Count(), 0u) << image.size() << " bytes";
    }
    archive.LoadFromMemory(nullptr, 100);
    EXPECT_EQ(archive.Count(), 0u);

    // After the one true record the "directory" runs on through names and 8 kB of filler: about a
    // thousand records outside the file, told in a few trace lines and one short problem.
    std::vector<uint8_t> image = MakeArchive({{"A.bmp", Bytes("payload"), 0}});
    image.resize(image.size() + 8192, 0xEE);
    PutBigEndian(image, 0, 0x7FFFFFFF);
    DebugLogCapture capture;
    archive.LoadFromMemory(image.data(), image.size());
    EXPECT_LE(archive.Count(), (image.size() - 4) / 8);
    EXPECT_EQ(PayloadOf(archive.Find("A.bmp")), "payload");
    EXPECT_TRUE(!DebugLogEnabled() || capture.Contains("count 2147483647 capped")) << capture.Text();
    const std::string trace = capture.Text();
    EXPECT_LE(std::count(trace.begin(), trace.end(), '\n'), 2 + long(ResourceArchive::kMaxTracedRecords)) << trace;
    const std::string fits = std::to_string((image.size() - 4) / 8);
    EXPECT_EQ(archive.Problem(), "names 2147483647 resources, but its " + std::to_string(image.size()) +
                                     " bytes have room for the directory of " + fits + "; " +
                                     std::to_string((image.size() - 4) / 8 - 1) + " of its " + fits +
                                     " records lie outside the file (the first is record 1)");
}

TEST(ResourceArchive, RecordsReachingOutsideTheFileAreSkippedAndTheRestKept)
{
    // at: the word to change, in the directory or (inRecord) in "Bad"'s record moved to the end of the file,
    // where one byte more than its size 4 runs past the end. value < 0: that many bytes before the end.
    struct Case { const char* what; size_t at; bool inRecord; int64_t value; };
    const Case cases[] = {
        {"name offset past the end", 12, false, 0xFFFFFFF0}, {"name running off the end", 12, false, -1},
        {"data offset past the end", 16, false, 0x7FFFFFFF}, {"data offset where no size fits", 16, false, -4},
        {"size past the end", 0, true, 0xFFFFFFFF},          {"size one byte too long", 0, true, 5},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> image =
            MakeArchive({{"Good.bmp", Bytes("good"), 0}, {"Bad.bmp", Bytes("bad!"), 0}, {"Last.bmp", Bytes("z"), 0}});
        if (c.inRecord) {
            PutBigEndian(image, 16, uint32_t(image.size()));
            image.resize(image.size() + 12);
            PutBigEndian(image, image.size() - 12, 4);
        }
        const size_t at = c.inRecord ? image.size() - 12 + c.at : c.at;
        PutBigEndian(image, at, uint32_t(c.value < 0 ? int64_t(image.size()) + c.value : c.value));
        DebugLogCapture capture;
        ResourceArchive archive;
        archive.LoadFromMemory(image.data(), image.size());
        EXPECT_EQ(archive.Count(), 2u) << c.what;
        EXPECT_EQ(PayloadOf(archive.Find("Good.bmp")) + PayloadOf(archive.Find("Last.bmp")), "goodz") << c.what;
        EXPECT_TRUE(!DebugLogEnabled() || capture.Contains("record 1 skipped")) << c.what << ": " << capture.Text();
    }
}

TEST(ResourceArchive, LoadingCountsTheUsableRecordsSoGarbageReadsAsNone)
{
    std::vector<uint8_t> oneBad = MakeArchive({{"A.bmp", Bytes("a"), 0}, {"B.bmp", Bytes("b"), 0}, {"C.bmp", {}, 0}});
    PutBigEndian(oneBad, 12, 0xFFFFFF00);  // B's name lies past the end
    std::vector<uint8_t> allBad = oneBad;
    for (size_t k = 0; k < 3; ++k)
        PutBigEndian(allBad, 8 + 8 * k, 0x7FFFFFFF);  // every data offset past the end
    const struct { const char* what; std::vector<uint8_t> image; size_t usable; const char* problem; } cases[] = {
        {"a good archive", kEntries, 4, ""},
        {"text", Bytes("This is not a resource archive, only a few words of text.\n"), 0,
         "names 1416128883 resources, but its 58 bytes have room for the directory of 6; 6 of its 6 records "
         "lie outside the file (the first is record 0)"},
        {"no record inside the file", allBad, 0, "3 of its 3 records lie outside the file (the first is record 0)"},
        {"one record of three outside", oneBad, 2, "1 of its 3 records lie outside the file (the first is record 1)"},
        {"count 0", {0, 0, 0, 0}, 0, "holds no resources (its count is 0)"},
        {"three bytes", {0, 0, 1}, 0, "is too short to be a resource archive (3 bytes)"},
    };
    const TempFolder folder;
    const std::string file = folder / "case.res";
    for (const auto& c : cases) {
        ResourceArchive archive;
        EXPECT_EQ(archive.LoadFromMemory(c.image.data(), c.image.size()), c.usable) << c.what;
        TempFolder::Write(file, c.image);
        EXPECT_EQ(archive.Load(file.c_str()), c.usable) << c.what;
        EXPECT_EQ(archive.Problem(), c.problem) << c.what;
    }
    ResourceArchive archive;
    archive.Load("/nonexistent/ProjectResources.res");
    EXPECT_EQ(archive.Problem(), "cannot be opened (No such file or directory)");
}

TEST(ResourceArchive, MissingNamesTheResourcesTheArchiveLacks)
{
    ResourceArchive archive;
    const std::vector<const char*> needed = {"Knob.bmp", "Fader.bmp", "Background.bmp\nKnob.bmp", "Empty.csv", ""};
    EXPECT_EQ(archive.Missing(needed), (std::vector<std::string>{"Knob.bmp", "Fader.bmp", "Background.bmp\nKnob.bmp",
                                                                 "Empty.csv", ""}));
    archive.LoadFromMemory(kEntries.data(), kEntries.size());
    EXPECT_EQ(archive.Missing(needed), (std::vector<std::string>{"Fader.bmp", ""}));
    EXPECT_TRUE(archive.Missing({"Knob.bmp", "Background.bmp"}).empty());
}

TEST(ResourceArchive, EntriesSharingOnePayloadCopyAtMostFourTimesTheFile)
{
    // Forty entries whose data offsets all point at the first record's 1000-byte payload.
    std::vector<TestEntry> entries = {{"E0", std::vector<uint8_t>(1000, 0x5A), 0}};
    for (int k = 1; k < 40; ++k)
        entries.push_back({"E" + std::to_string(k), {}, 0});
    std::vector<uint8_t> image = MakeArchive(entries);
    for (size_t k = 1; k < entries.size(); ++k)
        PutBigEndian(image, 8 + 8 * k, GetBE32(image.data() + 8));
    const size_t fits = ResourceArchive::kMaxCopyFactor * image.size() / 1000;
    ASSERT_LT(fits, entries.size());

    DebugLogCapture capture;
    ResourceArchive archive;
    EXPECT_EQ(archive.LoadFromMemory(image.data(), image.size()), fits);
    size_t copied = 0;
    for (size_t k = 0; k < entries.size(); ++k) {
        const ResourceRecord* record = archive.Find(entries[k].name.c_str());
        EXPECT_EQ(record != nullptr, k < fits) << entries[k].name;  // the first in directory order are kept
        copied += record ? record->GetSize() : 0;
    }
    EXPECT_LE(copied, ResourceArchive::kMaxCopyFactor * image.size());
    EXPECT_TRUE(!DebugLogEnabled() || capture.Contains("record " + std::to_string(fits) + " skipped, its 1000-byte"))
        << capture.Text();
}

TEST(ResourceArchive, LongNamesAreCutTo255Characters)
{
    const std::string longName(300, 'n'), cut(255, 'n');
    const std::vector<uint8_t> image = MakeArchive({{longName, Bytes("x"), 0}});
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    ASSERT_NE(archive.Find(cut.c_str()), nullptr);
    EXPECT_EQ(archive.Find(cut.c_str())->GetName(), cut);
    EXPECT_EQ(archive.Find(longName.c_str()), nullptr);
    // A name of exactly 255 characters at the very end of the file, without its NUL, is whole.
    std::vector<uint8_t> tail(4 + 8 + 8 + 255, 'n');
    const uint32_t words[] = {1, 20, 12, 0, 0};  // count, name at 20, record at 12: size 0, second word 0
    for (size_t k = 0; k < 5; ++k)
        PutBigEndian(tail, 4 * k, words[k]);
    archive.LoadFromMemory(tail.data(), tail.size());
    EXPECT_NE(archive.Find(cut.c_str()), nullptr);
}

TEST(ResourceArchive, SharedRecordsOutliveTheSourceAndSharingReplacesContents)
{
    const std::vector<uint8_t> other = MakeArchive({{"Other.bmp", Bytes("other"), 0}});
    auto source = std::make_unique<ResourceArchive>();
    source->LoadFromMemory(kEntries.data(), kEntries.size());
    ResourceArchive sharer;
    sharer.LoadFromMemory(other.data(), other.size());
    sharer.ShareFrom(*source);
    EXPECT_FALSE(sharer.Owns());
    EXPECT_EQ(sharer.Find("Other.bmp"), nullptr);
    EXPECT_EQ(sharer.Find("Knob.bmp"), source->Find("Knob.bmp"));  // the same record, not a copy
    source->LoadFromMemory(other.data(), other.size());
    EXPECT_EQ(PayloadOf(sharer.Find("Knob.bmp")), "knob strip");
    source->Clear();
    source.reset();
    EXPECT_EQ(PayloadOf(sharer.Find("Background.bmp")), "first");
    sharer.ShareFrom(sharer);
    EXPECT_EQ(sharer.Count(), 4u);
    sharer.LoadFromMemory(other.data(), other.size());
    EXPECT_TRUE(sharer.Owns());
}

TEST(ResourceArchive, NamesCompareUpToTheFirstEndingByte)
{
    struct Case { const char* a; const char* b; int sign; };
    const Case cases[] = {
        {"Background.bmp", "Background.bmp\nKnob.bmp\n3", 0}, {"Background.bmp\r\n", "Background.bmp\t", 0},
        {"Name\x80" "one", "Name\xFF" "two", 0},              {"Name", "Name\x1F" "x", 0},
        {"Name ", "Name", 1}, {"abc", "abcd", -1}, {"abc\nd", "abcd", -1}, {"a", "A", 1}, {nullptr, "\n", 0},
    };
    for (const Case& c : cases) {
        const int32_t result = ResourceArchive::CompareNames(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << (c.a ? c.a : "null") << " / " << c.b;
    }
    EXPECT_EQ(ResourceArchive::CompareNames("abc", "abd"), 'c' - 'd');
    EXPECT_EQ(ResourceArchive::CompareNames("abcd", "abc\n"), 'd');
}
