#include "resources/artwork/BmpEncoder.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Surface& image)
{
    const int w = image.Width(), h = image.Height();
    const uint32_t rowBytes = (uint32_t(w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * uint32_t(h);
    std::vector<uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);  // file size
    Put32(out, 0);                // reserved
    Put32(out, 54);               // pixel data offset
    Put32(out, 40);               // info header size
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(h));      // positive: rows bottom-up
    Put16(out, 1);                // planes
    Put16(out, 24);               // bits per pixel
    Put32(out, 0);                // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835);             // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);                // colours used
    Put32(out, 0);                // important colours
    for (int y = h - 1; y >= 0; --y) {
        uint32_t written = 0;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = image.Get(x, y) & 0xFFFFFF;
            out.push_back(uint8_t(p));
            out.push_back(uint8_t(p >> 8));
            out.push_back(uint8_t(p >> 16));
            written += 3;
        }
        for (; written < rowBytes; ++written)
            out.push_back(0);
    }
    return out;
}
