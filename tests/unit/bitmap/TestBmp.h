#pragma once
// Builds BMP files in memory for the decoder, bitmap and cache tests.

#include <cstdint>
#include <vector>

struct TestBmp {
    uint32_t headerSize = 40;  // 40 or 12
    int32_t width = 1;
    int32_t height = 1;        // negative: top-down
    uint32_t bits = 24;
    uint32_t compression = 0;
    uint32_t colours = 0;      // the 40-byte header's colour count
    std::vector<uint32_t> palette;              // 0x00RRGGBB, written as the header wants it
    std::vector<std::vector<uint8_t>> rows;     // file order, without padding
    bool padRows = true;
    int64_t pixelOffset = -1;  // -1: directly after the table
    uint32_t gap = 0;          // bytes between the table and the pixels

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> out;
        auto put = [&out](uint32_t value, int bytes) {
            for (int i = 0; i < bytes; ++i)
                out.push_back(uint8_t(value >> (8 * i)));
        };
        const uint32_t entry = headerSize == 12 ? 3 : 4;
        const uint32_t tableEnd = 14 + headerSize + uint32_t(palette.size()) * entry;
        out.push_back('B');
        out.push_back('M');
        put(0, 4);  // file size, not read
        put(0, 4);
        put(pixelOffset < 0 ? tableEnd + gap : uint32_t(pixelOffset), 4);
        put(headerSize, 4);
        if (headerSize == 12) {
            put(uint32_t(width), 2);
            put(uint32_t(height), 2);
            put(1, 2);
            put(bits, 2);
        } else {
            put(uint32_t(width), 4);
            put(uint32_t(height), 4);
            put(1, 2);
            put(bits, 2);
            put(compression, 4);
            put(0, 4);
            put(2835, 4);
            put(2835, 4);
            put(colours, 4);
            put(0, 4);
        }
        for (uint32_t rgb : palette) {
            put(rgb & 0xFF, 1);
            put((rgb >> 8) & 0xFF, 1);
            put((rgb >> 16) & 0xFF, 1);
            if (entry == 4)
                put(0, 1);
        }
        out.resize(out.size() + gap, 0xEE);
        for (const auto& row : rows) {
            out.insert(out.end(), row.begin(), row.end());
            if (padRows)
                out.resize(out.size() + (4 - row.size() % 4) % 4, 0xAA);
        }
        return out;
    }
};

// A bottom-up 24-bit file of the given pixels (0x00RRGGBB, top row first).
inline std::vector<uint8_t> Bmp24(int32_t width, int32_t height, const std::vector<uint32_t>& topDown)
{
    TestBmp bmp;
    bmp.width = width;
    bmp.height = height;
    for (int32_t y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = topDown[size_t(y * width + x)];
            row.push_back(uint8_t(p));
            row.push_back(uint8_t(p >> 8));
            row.push_back(uint8_t(p >> 16));
        }
        bmp.rows.push_back(row);
    }
    return bmp.Build();
}
