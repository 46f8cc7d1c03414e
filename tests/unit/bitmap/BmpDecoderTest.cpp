#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "PAL/Bitmap.h"
#include "PAL/BmpDecoder.h"
#include "platform/DebugLog.h"
#include "unit/bitmap/TestBmp.h"

namespace {

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

// count entries 0, step, 2 x step, ...
std::vector<uint32_t> Palette(uint32_t count, uint32_t step)
{
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < count; ++i)
        palette.push_back(i * step);
    return palette;
}

// 8 bits per pixel, the full table, pixel (x, file row y) = index y * width + x.
TestBmp EightBit(int32_t width, int32_t height)
{
    TestBmp bmp{40, width, height, 8, Palette(256, 0x010101)};
    for (int32_t y = 0; y < height; ++y) {
        bmp.rows.emplace_back();
        for (int32_t x = 0; x < width; ++x)
            bmp.rows.back().push_back(uint8_t(y * width + x));
    }
    return bmp;
}

}  // namespace

TEST(BmpDecoder, DecodesEveryAcceptedLayout)
{
    struct Case {
        const char* what;
        TestBmp bmp;  // header size, width, height, bits, table, file rows, colour count, gap, pixel offset
        std::vector<uint32_t> pixels;  // top row first
    };
    const uint32_t W = 0xFFFFFF;
    const Case cases[] = {
        {"24 bits, bottom-up, padded rows", {40, 2, 2, 24, {}, {{0, 0, 0xFF, 0, 0xFF, 0}, {0xFF, 0, 0, 1, 2, 3}}},
         {0x0000FF, 0x030201, 0xFF0000, 0x00FF00}},
        {"1 bit, most significant first", {40, 8, 1, 1, {0, W}, {{0x90}}}, {W, 0, 0, W, 0, 0, 0, 0}},
        {"4 bits, high nibble first", {40, 3, 1, 4, Palette(16, 0x111111), {{0x2F, 0x70}}},
         {0x222222, W, 0x777777}},
        {"8 bits, all 256 entries when the count is 0", {40, 3, 1, 8, Palette(256, 0x010101), {{1, 255, 2}}},
         {0x010101, W, 0x020202}},
        {"core header: 3-byte table entries", {12, 2, 1, 1, {0x102030, 0xA0B0C0}, {{0x40}}}, {0x102030, 0xA0B0C0}},
        {"core header, 24 bits", {12, 1, 1, 24, {}, {{3, 2, 1}}}, {0x010203}},
        {"32 bits ignore the fourth byte", {40, 2, 1, 32, {}, {{0x33, 0x22, 0x11, 0xFF, 0x66, 0x55, 0x44, 0x80}}},
         {0x112233, 0x445566}},
        {"negative height: top-down", {40, 1, -2, 24, {}, {{1, 0, 0}, {2, 0, 0}}}, {1, 2}},
        {"pixels at the file's offset, indices past the table black",
         {40, 3, 1, 8, {0x123456, 0x654321}, {{1, 0, 200}}, 2, 6}, {0x654321, 0x123456, 0}},
        {"an offset inside the header: pixels after the table",
         {40, 3, 1, 8, {0x123456, 0x654321}, {{1, 0, 200}}, 2, 0, 0}, {0x654321, 0x123456, 0}},
        {"an offset inside the table: the table ends there", {40, 3, 1, 8, {0x123456, 0x000001}, {}, 2, 0, 54 + 4},
         {0, 0x123456, 0x123456}},  // the pixels are the bytes of the second entry: 01 00 00
    };
    for (const Case& c : cases) {
        const Bitmap b = Decode(c.bmp.Build());
        ASSERT_TRUE(b.IsValid()) << c.what;
        EXPECT_EQ(b.GetWidth(), c.bmp.width) << c.what;
        EXPECT_EQ(b.GetHeight(), std::abs(c.bmp.height)) << c.what;
        EXPECT_EQ(PixelsOf(b), c.pixels) << c.what;
    }
}

TEST(BmpDecoder, RefusesWhatItCannotRead)
{
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
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"not BM", patched(0, {'M', 'B'})},
        {"header size 108", patched(14, {108, 0, 0, 0})},
        {"zero bit depth", with([](TestBmp& b) { b.bits = 0; })},
        {"2 bits", with([](TestBmp& b) { b.bits = 2; })},
        {"run-length compressed", with([](TestBmp& b) { b.compression = 1; })},
        {"zero width", with([](TestBmp& b) { b.width = 0; })},
        {"width 16385", with([](TestBmp& b) { b.width = 16385; })},
        {"height -16385", with([](TestBmp& b) { b.height = -16385; })},
        {"lowest height", with([](TestBmp& b) { b.height = INT_MIN; })},
        {"huge width and height", with([](TestBmp& b) { b.width = b.height = INT_MAX; })},
        {"pixel offset past the end", with([](TestBmp& b) { b.pixelOffset = 0xFFFFFFF0; })},
        {"pixel offset two bytes before the end", patched(10, {0x40, 0x04, 0, 0})},
        {"core header with 32 bits", with([](TestBmp& b) { b.headerSize = 12; b.bits = 32; b.width = 1; })},
        {"core header with negative height", with([](TestBmp& b) { b.headerSize = 12; b.height = -3; })},
    };
    for (const auto& c : cases) {
        const Bitmap b = Decode(c.second);
        EXPECT_FALSE(b.IsValid()) << c.first;
        EXPECT_EQ(b.GetWidth() + b.GetHeight(), 0) << c.first;
    }
    EXPECT_FALSE(Bitmap(nullptr, 100).IsValid());
}

TEST(BmpDecoder, PixelCountIsCappedForFilesAndForCreatedBitmaps)
{
    // 1-bit files with every row present, so only the pixel count can refuse them. Caps: 4194304 pixels,
    // 16384 a side.
    const struct { int32_t width, height; bool allowed; } cases[] = {
        {2048, 2048, true}, {16384, 256, true}, {2049, 2048, false}, {16384, 257, false}, {16384, 16384, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        TestBmp bmp{40, c.width, c.height, 1, {0, 0xFFFFFF}};
        bmp.rows.assign(size_t(c.height), std::vector<uint8_t>(size_t(c.width + 7) / 8, 0x80));
        DebugLogCapture capture;
        const Bitmap decoded = Decode(bmp.Build());
        EXPECT_EQ(decoded.IsValid(), c.allowed);
        EXPECT_EQ(decoded.GetPixel(0, 0), c.allowed ? 0xFFFFFFu : 0u);
        EXPECT_EQ(Bitmap(c.width, c.height).IsValid(), c.allowed);
        EXPECT_TRUE(!DebugLogEnabled() || c.allowed || capture.Contains("is more than 4194304 pixels, refused"))
            << capture.Text();
    }
    // A header that declares the largest sides over a few bytes is refused before anything is allocated.
    TestBmp huge{40, 16384, -16384, 24};
    huge.rows = {{1, 2, 3}};
    DebugLogCapture capture;
    EXPECT_FALSE(Decode(huge.Build()).IsValid());
    EXPECT_TRUE(!DebugLogEnabled() || capture.Contains("16384 x 16384 is more than")) << capture.Text();
}

TEST(BmpDecoder, EveryTruncationOfAFileIsRefusedWithoutReadingPastIt)
{
    // Exact-size copies, so an address sanitizer build sees any read past the end. The last row's padding
    // may be left out.
    const std::pair<std::vector<uint8_t>, size_t> cases[] = {{EightBit(5, 3).Build(), 3},
                                                             {Bmp24(2, 2, {1, 2, 3, 4}), 2},
                                                             {TestBmp(12, 2, 1, 1, {0, 1}, {{0x40}}).Build(), 3}};
    for (const auto& [file, lastRowFill] : cases) {
        const size_t needed = file.size() - lastRowFill;
        for (size_t length = 0; length <= needed; ++length) {
            const std::vector<uint8_t> part(file.begin(), file.begin() + long(length));
            EXPECT_EQ(Decode(part).IsValid(), length == needed) << "length " << length;
        }
    }
}

TEST(BmpDecoder, DecodesOnlyOnceAndARefusedFileLeavesTheBitmapAsItWas)
{
    Bitmap b = Decode(Bmp24(1, 1, {0x112233}));
    const std::vector<uint8_t> other = Bmp24(2, 2, {1, 2, 3, 4});
    b.LoadBMP(other.data(), other.size());
    EXPECT_EQ(b.GetWidth(), 1);
    EXPECT_EQ(b.GetPixel(0, 0), 0x112233u);
    const uint8_t bad[] = {'B', 'M'};
    EXPECT_FALSE(BmpDecoder::Decode(bad, sizeof bad, b));
    EXPECT_EQ(b.GetPixel(0, 0), 0x112233u);
}
