#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "PAL/ResourceArchive.h"
#include "platform/DebugLog.h"
#include "unit/archive/TestArchive.h"

namespace {

std::string PayloadOf(const ResourceRecord* record)
{
    if (!record || !record->GetData())
        return "<none>";
    return std::string(reinterpret_cast<const char*>(record->GetData()), record->GetSize());
}

std::vector<uint8_t> ThreeEntries()
{
    return MakeArchive({{"Background.bmp", Bytes("first"), 0x11223344},
                        {"Knob.bmp", Bytes("knob strip"), 7},
                        {"Background.bmp", Bytes("shadowed"), 0}});
}

// Writes bytes to a file of its own, removed again when the object goes.
struct TempFile {
    explicit TempFile(const std::vector<uint8_t>& bytes)
    {
        char pattern[] = "/tmp/velbrin-archive-XXXXXX";
        const int fd = mkstemp(pattern);
        path = pattern;
        if (fd >= 0) {
            EXPECT_EQ(write(fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
            close(fd);
        }
    }
    ~TempFile() { std::remove(path.c_str()); }
    std::string path;
};

}  // namespace

TEST(ResourceArchive, FindsRecordsByNameInDirectoryOrder)
{
    ResourceArchive archive;
    const std::vector<uint8_t> image = ThreeEntries();
    archive.LoadFromMemory(image.data(), image.size());
    ASSERT_EQ(archive.Count(), 3u);
    EXPECT_TRUE(archive.Owns());
    const ResourceRecord* background = archive.Find("Background.bmp");
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(PayloadOf(background), "first");  // the first of two equal names wins
    EXPECT_EQ(background->GetSecondWord(), 0x11223344u);
    EXPECT_STREQ(background->GetName(), "Background.bmp");
    EXPECT_EQ(PayloadOf(archive.Find("Knob.bmp")), "knob strip");
    EXPECT_EQ(archive.Find("knob.bmp"), nullptr);
    EXPECT_EQ(archive.Find("Knob"), nullptr);
    EXPECT_EQ(archive.Find(nullptr), nullptr);
}

TEST(ResourceArchive, PayloadsAreCopiesThatOutliveTheImage)
{
    ResourceArchive archive;
    std::vector<uint8_t> image = ThreeEntries();
    archive.LoadFromMemory(image.data(), image.size());
    std::fill(image.begin(), image.end(), 0);
    image.clear();
    image.shrink_to_fit();
    EXPECT_EQ(PayloadOf(archive.Find("Knob.bmp")), "knob strip");
}

TEST(ResourceArchive, LoadReadsTheSameFromAFile)
{
    const TempFile file(ThreeEntries());
    ResourceArchive archive;
    EXPECT_TRUE(archive.Load(file.path.c_str()));
    EXPECT_EQ(archive.Count(), 3u);
    EXPECT_EQ(PayloadOf(archive.Find("Knob.bmp")), "knob strip");

    EXPECT_FALSE(archive.Load("/nonexistent/ProjectResources.res"));
    EXPECT_EQ(archive.Count(), 0u);
    EXPECT_EQ(archive.Find("Knob.bmp"), nullptr);
    EXPECT_FALSE(archive.Load("/tmp"));  // a folder reads as nothing
    EXPECT_EQ(archive.Count(), 0u);
}

TEST(ResourceArchive, EmptyImagesGiveAnEmptyArchive)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> image;
    };
    const Case cases[] = {
        {"no bytes", {}},
        {"three bytes", {0, 0, 1}},
        {"count 0", {0, 0, 0, 0}},
        {"negative count", {0x80, 0, 0, 5, 0, 0, 0, 12, 0, 0, 0, 12}},
        {"count 1 without a directory", {0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        ResourceArchive archive;
        archive.LoadFromMemory(c.image.data(), c.image.size());
        EXPECT_EQ(archive.Count(), 0u) << c.what;
        EXPECT_EQ(archive.Find(""), nullptr) << c.what;
    }
    ResourceArchive archive;
    archive.LoadFromMemory(nullptr, 100);
    EXPECT_EQ(archive.Count(), 0u);
}

TEST(ResourceArchive, AHugeCountIsCappedAtWhatTheDirectoryHolds)
{
    std::vector<uint8_t> image = MakeArchive({{"A.bmp", Bytes("payload"), 0}});
    PutBigEndian(image, 0, 0x7FFFFFFF);
    DebugLogCapture capture;
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    EXPECT_LE(archive.Count(), (image.size() - 4) / 8);
    EXPECT_EQ(PayloadOf(archive.Find("A.bmp")), "payload");
    if (DebugLogEnabled()) {
        EXPECT_TRUE(capture.Contains("count 2147483647 capped")) << capture.Text();
    }
}

TEST(ResourceArchive, RecordsOutsideTheFileAreSkippedAndTheRestKept)
{
    struct Case {
        const char* what;
        size_t field;    // byte position of the word to change, in the directory or the record of "Bad"
        bool inRecord;
        uint32_t value;
    };
    const Case cases[] = {
        {"name offset past the end", 12, false, 0xFFFFFFF0},
        {"data offset past the end", 16, false, 0x7FFFFFFF},
        {"data offset where no size fits", 16, false, 0},  // patched below to length - 4
        {"size past the end", 0, true, 0xFFFFFFFF},
        {"size one byte too long", 0, true, 5},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> image =
            MakeArchive({{"Good.bmp", Bytes("good"), 0}, {"Bad.bmp", Bytes("bad!"), 0}, {"Last.bmp", Bytes("z"), 0}});
        uint32_t value = c.value;
        if (std::string(c.what) == "data offset where no size fits")
            value = uint32_t(image.size() - 4);
        if (c.inRecord) {
            // Move "Bad"'s payload to the very end so that one byte more runs past the file.
            PutBigEndian(image, 16, uint32_t(image.size()));
            image.resize(image.size() + 8 + 4);
            PutBigEndian(image, image.size() - 12, 4);
            PutBigEndian(image, image.size() - 12 + c.field, value);
        } else {
            PutBigEndian(image, c.field, value);
        }
        DebugLogCapture capture;
        ResourceArchive archive;
        archive.LoadFromMemory(image.data(), image.size());
        EXPECT_EQ(archive.Count(), 2u) << c.what;
        EXPECT_EQ(archive.Find("Bad.bmp"), nullptr) << c.what;
        EXPECT_EQ(PayloadOf(archive.Find("Good.bmp")), "good") << c.what;
        EXPECT_EQ(PayloadOf(archive.Find("Last.bmp")), "z") << c.what;
        if (DebugLogEnabled()) {
            EXPECT_TRUE(capture.Contains("record 1 skipped")) << c.what << ": " << capture.Text();
        }
    }
}

TEST(ResourceArchive, ANameThatRunsOffTheEndIsSkipped)
{
    std::vector<uint8_t> image = MakeArchive({{"Good.bmp", Bytes("good"), 0}, {"Bad.bmp", {}, 0}});
    std::copy(image.begin() + 8, image.begin() + 12, image.begin() + 16);  // "Bad" shares "Good"'s record
    image.resize(image.size() - 8);  // drop "Bad"'s own record
    image.pop_back();                // and its name's NUL, so the name runs to the end
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    EXPECT_EQ(archive.Count(), 1u);
}

TEST(ResourceArchive, LongNamesAreCutTo255Characters)
{
    const std::string longName(300, 'n');
    const std::vector<uint8_t> image = MakeArchive({{longName, Bytes("x"), 0}});
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    ASSERT_EQ(archive.Count(), 1u);
    EXPECT_EQ(std::string(archive.Find(longName.substr(0, 255).c_str())->GetName()), longName.substr(0, 255));
    EXPECT_EQ(archive.Find(longName.c_str()), nullptr);

    // A name of exactly 255 characters at the very end of the file, without its NUL, is whole.
    std::vector<uint8_t> tail(4 + 8 + 8 + 255, 'm');
    PutBigEndian(tail, 0, 1);
    PutBigEndian(tail, 4, 20);
    PutBigEndian(tail, 8, 12);
    PutBigEndian(tail, 12, 0);
    PutBigEndian(tail, 16, 0);
    archive.LoadFromMemory(tail.data(), tail.size());
    ASSERT_EQ(archive.Count(), 1u);
    EXPECT_EQ(std::string(archive.Find(std::string(255, 'm').c_str())->GetName()), std::string(255, 'm'));
}

TEST(ResourceArchive, AnEmptyPayloadHasAPointerAndSizeZero)
{
    const std::vector<uint8_t> image = MakeArchive({{"Empty.csv", {}, 0}});
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    const ResourceRecord* record = archive.Find("Empty.csv");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetSize(), 0u);
    EXPECT_NE(record->GetData(), nullptr);
}

TEST(ResourceArchive, ARecordWithoutPayloadReportsSizeZero)
{
    const ResourceRecord record("Lost.bmp", 8, 0, nullptr, 1000);
    EXPECT_EQ(record.GetSize(), 0u);
    EXPECT_EQ(record.GetData(), nullptr);
}

TEST(ResourceArchive, SharedRecordsSurviveClearingAndReloadingTheSource)
{
    const std::vector<uint8_t> image = ThreeEntries();
    auto source = std::make_unique<ResourceArchive>();
    source->LoadFromMemory(image.data(), image.size());
    ResourceArchive sharer;
    sharer.ShareFrom(*source);
    EXPECT_FALSE(sharer.Owns());
    ASSERT_EQ(sharer.Count(), 3u);
    EXPECT_EQ(sharer.Find("Knob.bmp"), source->Find("Knob.bmp"));  // the same record, not a copy

    const std::vector<uint8_t> other = MakeArchive({{"Other.bmp", Bytes("other"), 0}});
    source->LoadFromMemory(other.data(), other.size());
    EXPECT_EQ(PayloadOf(sharer.Find("Knob.bmp")), "knob strip");
    source->Clear();
    source.reset();
    EXPECT_EQ(PayloadOf(sharer.Find("Background.bmp")), "first");

    sharer.ShareFrom(sharer);
    EXPECT_EQ(sharer.Count(), 3u);
    sharer.Clear();
    EXPECT_EQ(sharer.Find("Knob.bmp"), nullptr);
}

TEST(ResourceArchive, SharingReplacesEarlierContents)
{
    const std::vector<uint8_t> first = MakeArchive({{"First.bmp", Bytes("1"), 0}});
    const std::vector<uint8_t> second = MakeArchive({{"Second.bmp", Bytes("2"), 0}});
    ResourceArchive a, b;
    a.LoadFromMemory(first.data(), first.size());
    b.LoadFromMemory(second.data(), second.size());
    a.ShareFrom(b);
    EXPECT_EQ(a.Find("First.bmp"), nullptr);
    EXPECT_EQ(PayloadOf(a.Find("Second.bmp")), "2");
    a.LoadFromMemory(first.data(), first.size());
    EXPECT_TRUE(a.Owns());
    EXPECT_EQ(PayloadOf(b.Find("Second.bmp")), "2");
}

TEST(ResourceArchiveNames, CompareUpToTheFirstEndingByte)
{
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"Background.bmp", "Background.bmp", 0},
        {"Background.bmp", "Background.bmp\nKnob.bmp\n3", 0},
        {"Background.bmp\r\n", "Background.bmp\t", 0},
        {"Name\x80" "one", "Name\xFF" "two", 0},
        {"Name", "Name\x1F" "x", 0},
        {"", "\n", 0},
        {"abc", "abd", -1},
        {"abd", "abc", 1},
        {"abc", "abcd", -1},
        {"abc\nd", "abcd", -1},
        {"a", "A", 1},
        {nullptr, "", 0},
    };
    for (const Case& c : cases) {
        const int32_t result = ResourceArchive::CompareNames(c.a, c.b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << (c.a ? c.a : "null") << " / " << c.b;
    }
    EXPECT_EQ(ResourceArchive::CompareNames("abc", "abd"), 'c' - 'd');
    EXPECT_EQ(ResourceArchive::CompareNames("abcd", "abc\n"), 'd');
}

TEST(ResourceArchiveNames, FindAcceptsANameFollowedByArgumentText)
{
    const std::vector<uint8_t> image = ThreeEntries();
    ResourceArchive archive;
    archive.LoadFromMemory(image.data(), image.size());
    const char* arguments = "Knob.bmp\nKnobMask.bmp\n";
    EXPECT_EQ(PayloadOf(archive.Find(arguments)), "knob strip");
}

TEST(GetResourceData, GivesThePayloadOfTheGlobalArchive)
{
    const std::vector<uint8_t> image = ThreeEntries();
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    uint32_t size = 99;
    const uint8_t* data = GetResourceData("Knob.bmp", size);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "knob strip");
    EXPECT_EQ(data, ResourceArchive::Global().Find("Knob.bmp")->GetData());  // not a copy

    size = 99;
    EXPECT_EQ(GetResourceData("Missing.csv", size), nullptr);
    EXPECT_EQ(size, 0u);
    ResourceArchive::Global().Clear();
    size = 99;
    EXPECT_EQ(GetResourceData("Knob.bmp", size), nullptr);
    EXPECT_EQ(size, 0u);
}
