#include "PAL/BmpDecoder.h"

#include "PAL/Bitmap.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint32_t U16(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}

uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

struct Layout {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    size_t paletteOffset = 0;
    size_t paletteCount = 0;
    size_t entrySize = 4;
    size_t dataOffset = 0;
    size_t rowBytes = 0;
};

// Reads and checks the headers; false for anything this decoder does not accept.
bool ReadLayout(const uint8_t* data, size_t size, Layout& layout)
{
    if (!data || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t headerSize = U32(data + 14);
    int64_t width = 0, height = 0;
    uint32_t colours = 0;
    if (headerSize == kCoreHeaderSize) {
        if (size < kFileHeaderSize + kCoreHeaderSize)
            return false;
        width = int16_t(U16(data + 18));
        height = int16_t(U16(data + 20));
        layout.bits = U16(data + 24);
        layout.entrySize = 3;
        if (layout.bits > 24)
            return false;
    } else if (headerSize == kInfoHeaderSize) {
        if (size < kFileHeaderSize + kInfoHeaderSize)
            return false;
        width = int32_t(U32(data + 18));
        height = int32_t(U32(data + 22));
        layout.bits = U16(data + 28);
        if (U32(data + 30) != 0)  // compressed or bit fields
            return false;
        colours = U32(data + 46);
        if (height < 0) {
            layout.topDown = true;
            height = -height;
        }
    } else {
        return false;
    }
    if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 24 && layout.bits != 32)
        return false;
    if (!Bitmap::SizeAllowed(width, height))
        return false;
    layout.width = int32_t(width);
    layout.height = int32_t(height);

    const size_t headerEnd = kFileHeaderSize + headerSize;
    if (layout.bits <= 8) {
        const size_t full = size_t(1) << layout.bits;
        layout.paletteCount = (colours > 0 && colours <= full) ? colours : full;
    }
    layout.paletteOffset = headerEnd;
    const size_t paletteEnd = headerEnd + layout.paletteCount * layout.entrySize;
    const uint32_t pixelOffset = U32(data + 10);
    layout.dataOffset = pixelOffset >= headerEnd ? pixelOffset : paletteEnd;
    if (layout.dataOffset < paletteEnd)  // the table stops where the pixels begin
        layout.paletteCount = (layout.dataOffset - headerEnd) / layout.entrySize;
    if (layout.paletteOffset + layout.paletteCount * layout.entrySize > size)
        return false;

    const size_t rowBits = size_t(layout.bits) * size_t(layout.width);
    layout.rowBytes = (rowBits + 31) / 32 * 4;
    const size_t lastRowBytes = (rowBits + 7) / 8;  // the last row's padding may be left out
    if (layout.dataOffset > size)
        return false;
    return size - layout.dataOffset >= layout.rowBytes * size_t(layout.height - 1) + lastRowBytes;
}

}  // namespace

bool BmpDecoder::Decode(const uint8_t* data, size_t size, Bitmap& bitmap)
{
    Layout layout;
    if (!ReadLayout(data, size, layout))
        return false;

    uint32_t palette[256] = {};
    for (size_t i = 0; i < layout.paletteCount; ++i) {
        const uint8_t* entry = data + layout.paletteOffset + i * layout.entrySize;
        palette[i] = Rgb(entry[2], entry[1], entry[0]);
    }

    if (!bitmap.Create(layout.width, layout.height))
        return false;
    uint32_t* pixels = bitmap.Lock();
    const size_t rowPixels = size_t(bitmap.GetRowPixels());
    const uint32_t bits = layout.bits;
    const uint32_t perByte = bits <= 8 ? 8 / bits : 0;
    const uint32_t indexMask = bits <= 8 ? (1u << bits) - 1 : 0;
    for (int32_t fileRow = 0; fileRow < layout.height; ++fileRow) {
        const int32_t imageRow = layout.topDown ? fileRow : layout.height - 1 - fileRow;
        const uint8_t* from = data + layout.dataOffset + size_t(fileRow) * layout.rowBytes;
        uint32_t* to = pixels + size_t(imageRow) * rowPixels;
        for (int32_t x = 0; x < layout.width; ++x) {
            if (bits == 24) {
                const uint8_t* p = from + size_t(x) * 3;
                to[x] = Rgb(p[2], p[1], p[0]);
            } else if (bits == 32) {
                const uint8_t* p = from + size_t(x) * 4;
                to[x] = Rgb(p[2], p[1], p[0]);
            } else {
                const uint32_t byte = from[uint32_t(x) / perByte];
                const uint32_t shift = (perByte - 1 - uint32_t(x) % perByte) * bits;
                to[x] = palette[(byte >> shift) & indexMask];
            }
        }
    }
    bitmap.Unlock();
    return true;
}
