#pragma once
// An offscreen 32-bit image with its own pixel memory; everything the skinned windows show is composed
// from these and finally handed to the drawing context. No display is needed.
//
// Pixels are native 32-bit words 0x00RRGGBB (the top byte is written as 0), rows top to bottom, each row
// GetRowPixels() words long. A bitmap without pixels (IsValid() false) has width and height 0; every
// operation on it draws nothing and reads nothing. GUI thread only.

#include <cstddef>
#include <cstdint>
#include <memory>

// Left, right, top, bottom; right and bottom exclusive. The order every layout record, bitmap and view uses.
struct Rect {
    int32_t left;
    int32_t right;
    int32_t top;
    int32_t bottom;
};

class Bitmap {
public:
    // Allocates width x height pixels, all 0; a size that cannot be allocated (or is not positive)
    // leaves the bitmap invalid.
    Bitmap(int32_t width, int32_t height);
    // Decodes a BMP file of size bytes (see BmpDecoder); a file that does not decode leaves it invalid.
    Bitmap(const uint8_t* data, size_t size);
    virtual ~Bitmap();

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // The first pixel, or null without pixels. Lock/Unlock bracket direct pixel access.
    virtual uint32_t* Lock();
    virtual void Unlock();
    virtual int32_t GetRowPixels() const;
    virtual bool IsValid() const;

    // Replaces the pixels with width x height zero pixels; false (and invalid) when that is impossible
    // (a size SizeAllowed refuses, or no memory).
    virtual bool Create(int32_t width, int32_t height);
    // Decodes once: a bitmap that is already valid keeps its pixels.
    virtual void LoadBMP(const uint8_t* data, size_t size);

    // Copies the source rectangle (null: the whole bitmap) to (x, y) in destination, clipped to both.
    virtual void CopyTo(Bitmap* destination, int32_t x, int32_t y, const Rect* source) const;
    // Per channel, with S this bitmap, M the mask (same size as this bitmap, read at the same place) and
    // D the destination: (S x M + W x D) / 256 clamped to 255, W = 255 - M with blend, else 255.
    virtual void CopyMasked(Bitmap* destination, const Bitmap* mask, int32_t x, int32_t y,
                            const Rect* source, bool blend) const;

    virtual int32_t GetWidth() const;
    virtual int32_t GetHeight() const;
    // Sets every byte of the pixel memory to the low byte of value.
    virtual void Fill(uint32_t value);
    // Ignored outside the bitmap.
    virtual void SetPixel(int32_t x, int32_t y, uint32_t pixel);
    // 0 outside the bitmap. Inline: glyph measuring and tests scan bitmaps pixel by pixel.
    uint32_t GetPixel(int32_t x, int32_t y) const
    {
        if (m_pixels && x >= 0 && x < m_width && y >= 0 && y < m_height)
            return m_pixels[size_t(y) * size_t(m_width) + size_t(x)];
        return 0;
    }
    // {0, width, 0, height}.
    const Rect& GetRect() const { return m_rect; }

    // Clips a copy of source rectangle r of a width x height source to (x, y) in a destination of
    // destWidth x destHeight. False when nothing is left; otherwise r, x and y describe what to copy.
    static bool ClipCopy(int32_t width, int32_t height, int32_t destWidth, int32_t destHeight, Rect& r,
                         int32_t& x, int32_t& y);

    // True when a bitmap may have width x height pixels: both sides in 1..kMaxSide and at most kMaxPixels
    // in all. A size refused for its pixel count leaves a trace line.
    static bool SizeAllowed(int64_t width, int64_t height);

    // Largest width and height a bitmap can have.
    static constexpr int32_t kMaxSide = 16384;
    // Largest pixel count (16 MiB of pixels), 16 times the largest artwork, the 640 x 404 main backdrop.
    static constexpr int64_t kMaxPixels = int64_t(1) << 22;

private:
    void Release();

    int32_t m_width = 0;
    int32_t m_height = 0;
    Rect m_rect = {0, 0, 0, 0};
    std::unique_ptr<uint32_t[]> m_pixels;
};
