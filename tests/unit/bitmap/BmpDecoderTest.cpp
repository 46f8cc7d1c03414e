#include <gtest/gtest.h>

#include <climits>

#include "PAL/Bitmap.h"
#include "PAL/BmpDecoder.h"
#include "unit/bitmap/TestBmp.h"

namespace {

const uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

std::vector<uint32_t> PixelsOf(const Bitmap& b)
{
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < b.GetHeight(); ++y)
        for (int32_t x = 0; x < b.GetWidth(); ++x)
            out.push_back(b.GetPixel(x, y));
    return out;
}

Bitmap Decode(const std::vector<uint8_t>& file)
{
    return Bitmap(file.data(), file.size());
}

TestBmp EightBit(int32_t width, int32_t height)
{
    TestBmp bmp;
    bmp.bits = 8;
    bmp.width = width;
    bmp.height = height;
    for (uint32_t i = 0; i < 256; ++i)
        bmp.palette.push_back(i << 16 | (255 - i) << 8 | (i ^ 0x5A));
    for (int32_t y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        for (int32_t x = 0; x < width; ++x)
            row.push_back(uint8_t(y * width + x));
        bmp.rows.push_back(row);
    }
    return bmp;
}

}  // namespace

TEST(BmpDecoder, TwentyFourBitRowsAreBottomUpWithPaddedRows)
{
    // File row 0 (the image's bottom row): red, green; file row 1: blue, white. Each 6 + 2 fill bytes.
    TestBmp bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.rows = {{0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00}, {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF}};
    const std::vector<uint8_t> file = bmp.Build();
    ASSERT_EQ(file.size(), 54u + 16u);
    const Bitmap b = Decode(file);
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(b.GetHeight(), 2);
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00}));
}

TEST(BmpDecoder, OneBitPixelsTakeTheMostSignificantBitFirst)
{
    TestBmp bmp;
    bmp.bits = 1;
    bmp.width = 8;
    bmp.palette = {kBlack, kWhite};
    bmp.rows = {{0x80}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack}));
}

TEST(BmpDecoder, FourBitPixelsAreNibblesHighFirst)
{
    TestBmp bmp;
    bmp.bits = 4;
    bmp.width = 3;
    for (uint32_t i = 0; i < 16; ++i)
        bmp.palette.push_back(i * 0x111111);
    bmp.rows = {{0x2F, 0x70}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x222222, 0xFFFFFF, 0x777777}));
}

TEST(BmpDecoder, EightBitUsesOneBytePerPixelAndTheFullTable)
{
    const TestBmp bmp = EightBit(3, 2);
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    // File row 0 holds indices 0..2 and is the image's bottom row.
    EXPECT_EQ(b.GetPixel(0, 1), bmp.palette[0]);
    EXPECT_EQ(b.GetPixel(2, 1), bmp.palette[2]);
    EXPECT_EQ(b.GetPixel(0, 0), bmp.palette[3]);
    EXPECT_EQ(b.GetPixel(2, 0), bmp.palette[5]);
}

TEST(BmpDecoder, CoreHeaderHasThreeByteTableEntries)
{
    TestBmp bmp;
    bmp.headerSize = 12;
    bmp.bits = 1;
    bmp.width = 2;
    bmp.palette = {0x102030, 0xA0B0C0};
    bmp.rows = {{0x40}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x102030, 0xA0B0C0}));

    TestBmp rgb;
    rgb.headerSize = 12;
    rgb.width = 1;
    rgb.rows = {{0x03, 0x02, 0x01}};
    const Bitmap c = Decode(rgb.Build());
    ASSERT_TRUE(c.IsValid());
    EXPECT_EQ(c.GetPixel(0, 0), 0x010203u);
}

TEST(BmpDecoder, ThirtyTwoBitIgnoresTheFourthByte)
{
    TestBmp bmp;
    bmp.bits = 32;
    bmp.width = 2;
    bmp.rows = {{0x33, 0x22, 0x11, 0xFF, 0x66, 0x55, 0x44, 0x80}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x112233, 0x445566}));
}

TEST(BmpDecoder, NegativeHeightIsTopDown)
{
    TestBmp bmp;
    bmp.width = 1;
    bmp.height = -2;
    bmp.rows = {{0x01, 0x00, 0x00}, {0x02, 0x00, 0x00}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.GetHeight(), 2);
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x000001, 0x000002}));
}

TEST(BmpDecoder, PixelsStartAtTheFilesPixelOffsetAndShortTablesGiveBlack)
{
    TestBmp bmp;
    bmp.bits = 8;
    bmp.width = 3;
    bmp.colours = 2;
    bmp.palette = {0x123456, 0x654321};
    bmp.gap = 6;  // the offset field points past the gap
    bmp.rows = {{1, 0, 200}};
    const Bitmap b = Decode(bmp.Build());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(PixelsOf(b), (std::vector<uint32_t>{0x654321, 0x123456, 0x000000}));

    // An offset inside the header means "directly after the table".
    bmp.gap = 0;
    bmp.pixelOffset = 0;
    const Bitmap c = Decode(bmp.Build());
    ASSERT_TRUE(c.IsValid());
    EXPECT_EQ(c.GetPixel(0, 0), 0x654321u);
}

TEST(BmpDecoder, LastRowMayLackItsPadding)
{
    TestBmp bmp;
    bmp.width = 1;
    bmp.height = 2;
    bmp.rows = {{1, 2, 3}, {4, 5, 6}};
    std::vector<uint8_t> file = bmp.Build();
    file.pop_back();  // the last row's fill byte
    const Bitmap b = Decode(file);
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(b.GetPixel(0, 0), 0x060504u);
    file.pop_back();  // now a pixel byte is missing
    EXPECT_FALSE(Decode(file).IsValid());
}

TEST(BmpDecoder, RefusesWhatItCannotRead)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    };
    auto with = [](auto change) {
        TestBmp bmp = EightBit(4, 3);
        change(bmp);
        return bmp.Build();
    };
    auto patched = [](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> file = EightBit(4, 3).Build();
        std::copy(bytes.begin(), bytes.end(), file.begin() + long(at));
        return file;
    };
    const Case cases[] = {
        {"empty", {}},
        {"not BM", patched(0, {'M', 'B'})},
        {"header size 108", patched(14, {108, 0, 0, 0})},
        {"header size 0", patched(14, {0, 0, 0, 0})},
        {"zero bit depth", with([](TestBmp& b) { b.bits = 0; })},
        {"16 bits", with([](TestBmp& b) { b.bits = 16; })},
        {"2 bits", with([](TestBmp& b) { b.bits = 2; })},
        {"run-length compressed", with([](TestBmp& b) { b.compression = 1; })},
        {"bit fields", with([](TestBmp& b) { b.compression = 3; })},
        {"zero width", with([](TestBmp& b) { b.width = 0; })},
        {"negative width", with([](TestBmp& b) { b.width = -4; })},
        {"width 16385", with([](TestBmp& b) { b.width = 16385; })},
        {"zero height", with([](TestBmp& b) { b.height = 0; })},
        {"height 16385", with([](TestBmp& b) { b.height = 16385; })},
        {"height -16385", with([](TestBmp& b) { b.height = -16385; })},
        {"lowest height", with([](TestBmp& b) { b.height = INT_MIN; })},
        {"huge width and height", with([](TestBmp& b) { b.width = b.height = INT_MAX; })},
        {"pixel offset past the end", with([](TestBmp& b) { b.pixelOffset = 0xFFFFFFF0; })},
        {"pixel offset two bytes before the end", patched(10, {0x40, 0x04, 0, 0})},
        {"core header with 32 bits", with([](TestBmp& b) { b.headerSize = 12; b.bits = 32; b.palette.clear(); })},
        {"core header with negative height", with([](TestBmp& b) { b.headerSize = 12; b.height = -3; })},
    };
    for (const Case& c : cases) {
        const Bitmap b = Decode(c.file);
        EXPECT_FALSE(b.IsValid()) << c.what;
        EXPECT_EQ(b.GetWidth(), 0) << c.what;
        EXPECT_EQ(b.GetHeight(), 0) << c.what;
    }
    const Bitmap none(nullptr, 100);
    EXPECT_FALSE(none.IsValid());
}

TEST(BmpDecoder, EveryTruncationOfAFileIsRefusedWithoutReadingPastIt)
{
    // Exact-size copies, so an address sanitizer build sees any read past the end.
    struct Case {
        std::vector<uint8_t> file;
        size_t lastRowFill;
    };
    const Case cases[] = {{EightBit(5, 3).Build(), 3}, {Bmp24(2, 2, {1, 2, 3, 4}), 2}};
    for (const Case& c : cases) {
        const size_t needed = c.file.size() - c.lastRowFill;
        for (size_t length = 0; length < needed; ++length) {
            const std::vector<uint8_t> part(c.file.begin(), c.file.begin() + long(length));
            EXPECT_FALSE(Decode(part).IsValid()) << "length " << length;
        }
        const std::vector<uint8_t> part(c.file.begin(), c.file.begin() + long(needed));
        EXPECT_TRUE(Decode(part).IsValid());
    }
}

TEST(BmpDecoder, DecodesOnlyOnce)
{
    Bitmap b = Decode(Bmp24(1, 1, {0x112233}));
    const std::vector<uint8_t> other = Bmp24(2, 2, {1, 2, 3, 4});
    b.LoadBMP(other.data(), other.size());
    EXPECT_EQ(b.GetWidth(), 1);
    EXPECT_EQ(b.GetPixel(0, 0), 0x112233u);
}

TEST(BmpDecoder, RefusedFileLeavesTheBitmapUntouched)
{
    Bitmap b(2, 2);
    b.SetPixel(1, 1, 7);
    const std::vector<uint8_t> bad = {'B', 'M'};
    EXPECT_FALSE(BmpDecoder::Decode(bad.data(), bad.size(), b));
    EXPECT_EQ(b.GetPixel(1, 1), 7u);
}
