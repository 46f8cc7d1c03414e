#pragma once
// Builds BMP files in memory for the decoder, bitmap and cache tests.

#include <cstdint>
#include <utility>
#include <vector>

struct TestBmp {
    TestBmp(uint32_t headerSize_ = 40, int32_t width_ = 1, int32_t height_ = 1, uint32_t bits_ = 24,
            std::vector<uint32_t> palette_ = {}, std::vector<std::vector<uint8_t>> rows_ = {}, uint32_t colours_ = 0,
            uint32_t gap_ = 0, int64_t pixelOffset_ = -1)
        : headerSize(headerSize_), width(width_), height(height_), bits(bits_), palette(std::move(palette_)),
          rows(std::move(rows_)), colours(colours_), gap(gap_), pixelOffset(pixelOffset_)
    {
    }

    uint32_t headerSize;  // 40 or 12
    int32_t width;
    int32_t height;  // negative: top-down
    uint32_t bits;
    std::vector<uint32_t> palette;           // 0x00RRGGBB, written as the header wants it
    std::vector<std::vector<uint8_t>> rows;  // file order, without padding
    uint32_t colours;                        // the 40-byte header's colour count
    uint32_t gap;                            // bytes between the table and the pixels
    int64_t pixelOffset;                     // -1: where the pixels start
    uint32_t compression = 0;

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> out = {'B', 'M'};
        auto put = [&out](uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.push_back(uint8_t(value >> (8 * i)));
        };
        const uint32_t entry = headerSize == 12 ? 3 : 4;
        const uint32_t pixels = 14 + headerSize + uint32_t(palette.size()) * entry + gap;
        put(0, 4);  // file size, not read
        put(0, 4);
        put(pixelOffset < 0 ? pixels : uint32_t(pixelOffset), 4);
        put(headerSize, 4);
        const int side = headerSize == 12 ? 2 : 4;
        put(uint32_t(width), side);
        put(uint32_t(height), side);
        put(1, 2);
        put(bits, 2);
        if (headerSize == 40) {
            for (uint32_t field : {compression, 0u, 2835u, 2835u, colours, 0u})
                put(field, 4);
        }
        for (uint32_t rgb : palette)
            put(rgb & 0xFFFFFF, int(entry));  // blue, green, red (, 0)
        out.resize(out.size() + gap, 0xEE);
        for (const auto& row : rows) {
            out.insert(out.end(), row.begin(), row.end());
            out.resize(out.size() + (4 - row.size() % 4) % 4, 0xAA);
        }
        return out;
    }
};

// A bottom-up 24-bit file of the given pixels (0x00RRGGBB, top row first).
inline std::vector<uint8_t> Bmp24(int32_t width, int32_t height, const std::vector<uint32_t>& topDown)
{
    TestBmp bmp(40, width, height);
    for (int32_t y = height - 1; y >= 0; --y) {
        bmp.rows.emplace_back();
        for (int32_t x = 0; x < width; ++x)
            for (int shift = 0; shift < 24; shift += 8)
                bmp.rows.back().push_back(uint8_t(topDown[size_t(y * width + x)] >> shift));
    }
    return bmp.Build();
}
