#include <gtest/gtest.h>

#include "PAL/BitmapCache.h"
#include "PAL/ResourceArchive.h"
#include "support/TempFolder.h"
#include "unit/archive/TestArchive.h"
#include "unit/bitmap/TestBmp.h"

namespace {

struct BitmapCacheTest : testing::Test {
    void SetUp() override
    {
        BitmapCache::Empty();
        const std::vector<uint8_t> image = MakeArchive({{"Background.bmp", Bmp24(2, 1, {0x102030, 0x405060}), 0},
                                                        {"Notes.csv", Bytes("not a bitmap"), 0}});
        ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    }
    void TearDown() override
    {
        BitmapCache::Empty();
        ResourceArchive::Global().Clear();
    }
};

}  // namespace

TEST_F(BitmapCacheTest, EveryLookupOfANameSharesOneDecodedBitmapUntilEmptied)
{
    ResourceBitmap* first = BitmapCache::Get("Background.bmp\nKnob.bmp\n4");  // a name in argument text
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->GetName(), "Background.bmp");
    EXPECT_EQ(first->GetPixel(1, 0), 0x405060u);
    first->SetPixel(0, 0, 0xFFFFFF);
    ResourceArchive::Global().Clear();  // cached bitmaps outlive the archive
    EXPECT_EQ(BitmapCache::Get("Background.bmp"), first);
    EXPECT_EQ(BitmapCache::Get("Background.bmp\r"), first);
    EXPECT_EQ(BitmapCache::Count(), 1u);
    SetUp();
    EXPECT_EQ(BitmapCache::Count(), 0u);
    ASSERT_NE(BitmapCache::Get("Background.bmp"), nullptr);
    EXPECT_EQ(BitmapCache::Get("Background.bmp")->GetPixel(0, 0), 0x102030u);  // decoded from the archive again
}

TEST_F(BitmapCacheTest, AnUndecodablePayloadIsCachedInvalidAndAMissingNameNotAtAll)
{
    ResourceBitmap* notes = BitmapCache::Get("Notes.csv\x80more");
    ASSERT_NE(notes, nullptr);
    EXPECT_FALSE(notes->IsValid());
    EXPECT_STREQ(notes->GetName(), "Notes.csv");
    EXPECT_EQ(BitmapCache::Get("Notes.csv"), notes);
    EXPECT_EQ(BitmapCache::Get("Missing.bmp"), nullptr);
    EXPECT_EQ(BitmapCache::Get(nullptr), nullptr);
    EXPECT_EQ(BitmapCache::Count(), 1u);
    const std::vector<uint8_t> image = MakeArchive({{"Missing.bmp", Bmp24(1, 1, {0xABCDEF}), 0}});
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    ASSERT_NE(BitmapCache::Get("Missing.bmp"), nullptr);  // found once the archive holds it
    EXPECT_EQ(BitmapCache::Get("Missing.bmp")->GetPixel(0, 0), 0xABCDEFu);
}

// From a file, a decoded bitmap's payload is given back to the system and read from the file again
// whenever it is asked for: the payload, and a bitmap decoded anew after the cache was emptied, are as
// they were.
TEST_F(BitmapCacheTest, APayloadGivenBackAfterDecodingIsReadFromTheFileAgain)
{
    const std::vector<uint8_t> payload = Bmp24(2, 1, {0x102030, 0x405060});
    const TempFolder folder;
    const std::string file = folder / "Bitmaps.res";
    TempFolder::Write(file, MakeArchive({{"Background.bmp", payload, 0}}));
    ASSERT_EQ(ResourceArchive::Global().Load(file.c_str()), 1u);
    ASSERT_NE(BitmapCache::Get("Background.bmp"), nullptr);
    const ResourceRecord* record = ResourceArchive::Global().Find("Background.bmp");
    ASSERT_NE(record, nullptr);
    ASSERT_NE(record->GetData(), nullptr);
    EXPECT_EQ(std::vector<uint8_t>(record->GetData(), record->GetData() + record->GetSize()), payload);
    record->ReleasePayload();
    BitmapCache::Empty();
    ASSERT_NE(BitmapCache::Get("Background.bmp"), nullptr);
    EXPECT_EQ(BitmapCache::Get("Background.bmp")->GetPixel(1, 0), 0x405060u);
}
