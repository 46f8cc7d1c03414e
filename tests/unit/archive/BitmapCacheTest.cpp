#include <gtest/gtest.h>

#include "PAL/BitmapCache.h"
#include "PAL/ResourceArchive.h"
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

TEST_F(BitmapCacheTest, SameNameGivesTheSameDecodedBitmap)
{
    ResourceBitmap* first = BitmapCache::Get("Background.bmp");
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(first->IsValid());
    EXPECT_EQ(first->GetPixel(1, 0), 0x405060u);
    EXPECT_EQ(BitmapCache::Get("Background.bmp"), first);
    EXPECT_EQ(BitmapCache::Count(), 1u);
}

TEST_F(BitmapCacheTest, ANameFollowedByArgumentTextFindsTheRecordAndIsStoredAlone)
{
    ResourceBitmap* bitmap = BitmapCache::Get("Background.bmp\nKnob.bmp\n4");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_STREQ(bitmap->GetName(), "Background.bmp");
    EXPECT_EQ(BitmapCache::Get("Background.bmp"), bitmap);
    EXPECT_EQ(BitmapCache::Get("Background.bmp\r"), bitmap);
    EXPECT_EQ(BitmapCache::Count(), 1u);
}

TEST_F(BitmapCacheTest, APayloadThatIsNoBitmapIsCachedInvalid)
{
    ResourceBitmap* notes = BitmapCache::Get("Notes.csv");
    ASSERT_NE(notes, nullptr);
    EXPECT_FALSE(notes->IsValid());
    EXPECT_EQ(BitmapCache::Get("Notes.csv"), notes);
    EXPECT_EQ(BitmapCache::Count(), 1u);
}

TEST_F(BitmapCacheTest, AMissingNameIsNullEveryTimeAndCachesNothing)
{
    EXPECT_EQ(BitmapCache::Get("Missing.bmp"), nullptr);
    EXPECT_EQ(BitmapCache::Get("Missing.bmp"), nullptr);
    EXPECT_EQ(BitmapCache::Get(nullptr), nullptr);
    EXPECT_EQ(BitmapCache::Count(), 0u);
    // Once the archive holds it, the next lookup finds it.
    const std::vector<uint8_t> image = MakeArchive({{"Missing.bmp", Bmp24(1, 1, {0xABCDEF}), 0}});
    ResourceArchive::Global().LoadFromMemory(image.data(), image.size());
    ResourceBitmap* found = BitmapCache::Get("Missing.bmp");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetPixel(0, 0), 0xABCDEFu);
}

TEST_F(BitmapCacheTest, EmptyingDecodesAfreshOnTheNextLookup)
{
    ResourceBitmap* first = BitmapCache::Get("Background.bmp");
    ASSERT_NE(first, nullptr);
    first->SetPixel(0, 0, 0xFFFFFF);  // shared: every holder sees the change
    EXPECT_EQ(BitmapCache::Get("Background.bmp")->GetPixel(0, 0), 0xFFFFFFu);
    BitmapCache::Empty();
    EXPECT_EQ(BitmapCache::Count(), 0u);
    ResourceBitmap* second = BitmapCache::Get("Background.bmp");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetPixel(0, 0), 0x102030u);  // decoded from the archive again
}

TEST_F(BitmapCacheTest, CachedBitmapsOutliveTheArchive)
{
    ResourceBitmap* bitmap = BitmapCache::Get("Background.bmp");
    ASSERT_NE(bitmap, nullptr);
    ResourceArchive::Global().Clear();
    EXPECT_EQ(BitmapCache::Get("Background.bmp"), bitmap);
    EXPECT_EQ(bitmap->GetPixel(1, 0), 0x405060u);
}
