// BMP decoding of a file from outside, then the decoded bitmap as the glyphs (and mask) of a bitmap font:
// measuring the glyphs, measuring and drawing every character code. The font's grid comes from the
// input's last bytes; the whole input is the BMP file.
// Holds: a refused file leaves the bitmap as it was; a decoded one has a size within the limits.

#include "PAL/BackedBitmapFont.h"
#include "PAL/Bitmap.h"
#include "PAL/BitmapFont.h"
#include "PAL/BmpDecoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Bitmap bitmap(3, 2);
    bitmap.SetPixel(1, 1, 0x123456);
    if (!BmpDecoder::Decode(data, size, bitmap)) {
        if (bitmap.IsValid() && (bitmap.GetWidth() != 3 || bitmap.GetHeight() != 2 ||
                                 bitmap.GetPixel(1, 1) != 0x123456))
            abort();
        return 0;
    }
    const int64_t pixels = int64_t(bitmap.GetWidth()) * bitmap.GetHeight();
    if (bitmap.GetWidth() < 1 || bitmap.GetHeight() < 1 || pixels > Bitmap::kMaxPixels)
        abort();

    FuzzedDataProvider grid(data, size);
    const int32_t firstCode = grid.ConsumeIntegralInRange<int32_t>(-4, 200);
    const int32_t cellWidth = grid.ConsumeIntegralInRange<int32_t>(-1, 40);
    const int32_t cellHeight = grid.ConsumeIntegralInRange<int32_t>(-1, 40);
    const int32_t columns = grid.ConsumeIntegralInRange<int32_t>(-1, 64);
    const int32_t rows = grid.ConsumeIntegralInRange<int32_t>(-1, 16);
    const bool proportional = grid.ConsumeBool();

    char text[256];
    for (int i = 0; i < 255; ++i)
        text[i] = char(i + 1);
    text[255] = 0;

    Bitmap canvas(64, 24);
    BitmapFont font(&bitmap, firstCode, cellWidth, cellHeight, columns, rows, proportional);
    font.MeasureGlyphs(&bitmap);
    if (font.MeasureText(text) < 0)
        abort();
    font.DrawText(&canvas, -3, 2, text);
    font.DrawTextTinted(&canvas, 5, -1, text, 0xFFFFFF, 0x000000, 0.5f);

    BackedBitmapFont backed(&bitmap, &bitmap, firstCode, cellWidth, cellHeight, columns, rows, proportional);
    if (backed.MeasureText(text) < 0)
        abort();
    backed.DrawText(&canvas, 0, 0, text);
    return 0;
}
