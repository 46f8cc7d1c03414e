#include "PAL/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "PAL/BmpDecoder.h"
#include "platform/DebugLog.h"

Bitmap::Bitmap(int32_t width, int32_t height)
{
    Create(width, height);
}

Bitmap::Bitmap(const uint8_t* data, size_t size)
{
    LoadBMP(data, size);
}

Bitmap::~Bitmap() = default;

uint32_t* Bitmap::Lock()
{
    return m_pixels.get();
}

void Bitmap::Unlock() {}

int32_t Bitmap::GetRowPixels() const
{
    return m_pixels ? m_width : 0;
}

bool Bitmap::IsValid() const
{
    return m_pixels != nullptr;
}

void Bitmap::Release()
{
    m_pixels.reset();
    m_width = 0;
    m_height = 0;
    m_rect = {0, 0, 0, 0};
}

bool Bitmap::Create(int32_t width, int32_t height)
{
    Release();
    if (!SizeAllowed(width, height))
        return false;
    const size_t count = size_t(width) * size_t(height);
    m_pixels.reset(new (std::nothrow) uint32_t[count]);
    if (!m_pixels)
        return false;
    std::memset(m_pixels.get(), 0, count * sizeof(uint32_t));
    m_width = width;
    m_height = height;
    m_rect = {0, width, 0, height};
    return true;
}

bool Bitmap::SizeAllowed(int64_t width, int64_t height)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return false;
    if (width * height > kMaxPixels) {
        DebugLog("Bitmap: %lld x %lld is more than %lld pixels, refused\n", static_cast<long long>(width),
                 static_cast<long long>(height), static_cast<long long>(kMaxPixels));
        return false;
    }
    return true;
}

void Bitmap::LoadBMP(const uint8_t* data, size_t size)
{
    if (IsValid())
        return;
    BmpDecoder::Decode(data, size, *this);
}

int32_t Bitmap::GetWidth() const
{
    return m_width;
}

int32_t Bitmap::GetHeight() const
{
    return m_height;
}

void Bitmap::Fill(uint32_t value)
{
    if (!m_pixels)
        return;
    std::memset(m_pixels.get(), int(value & 0xFF), size_t(m_width) * size_t(m_height) * sizeof(uint32_t));
    Unlock();
}

void Bitmap::SetPixel(int32_t x, int32_t y, uint32_t pixel)
{
    if (m_pixels && x >= 0 && x < m_width && y >= 0 && y < m_height)
        m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = pixel;
}

bool Bitmap::ClipCopy(int32_t width, int32_t height, int32_t destWidth, int32_t destHeight, Rect& r,
                      int32_t& x, int32_t& y)
{
    // 64-bit throughout: rectangles and positions may be anywhere in the 32-bit range.
    int64_t left = r.left, right = r.right, top = r.top, bottom = r.bottom;
    int64_t dx = x, dy = y;
    if (top < 0) {
        dy -= top;
        top = 0;
    }
    if (left < 0) {
        dx -= left;
        left = 0;
    }
    right = std::min<int64_t>(right, width);
    bottom = std::min<int64_t>(bottom, height);
    if (dx < 0) {
        left -= dx;
        dx = 0;
    }
    if (dy < 0) {
        top -= dy;
        dy = 0;
    }
    if (left >= right || top >= bottom)
        return false;
    if (destWidth < right - left + dx)
        right = destWidth - dx + left;
    if (destHeight < bottom - top + dy)
        bottom = destHeight - dy + top;
    if (left >= right || top >= bottom)
        return false;
    // Now 0 <= left < right <= width, likewise top, and the destination span lies inside destination.
    r = {int32_t(left), int32_t(right), int32_t(top), int32_t(bottom)};
    x = int32_t(dx);
    y = int32_t(dy);
    return true;
}

void Bitmap::CopyTo(Bitmap* destination, int32_t x, int32_t y, const Rect* source) const
{
    if (!m_pixels || !destination || !destination->IsValid())
        return;
    Rect r = source ? *source : m_rect;
    if (!ClipCopy(m_width, m_height, destination->GetWidth(), destination->GetHeight(), r, x, y))
        return;
    uint32_t* to = destination->Lock();
    const int32_t toRow = destination->GetRowPixels();
    const size_t count = size_t(r.right - r.left);
    for (int32_t row = r.top; row < r.bottom; ++row) {
        const uint32_t* from = m_pixels.get() + size_t(row) * size_t(m_width) + size_t(r.left);
        uint32_t* target = to + size_t(y + row - r.top) * size_t(toRow) + size_t(x);
        std::memmove(target, from, count * sizeof(uint32_t));  // source and destination may be one bitmap
    }
    destination->Unlock();
}

namespace {
inline uint32_t Channel(uint32_t pixel, int shift)
{
    return (pixel >> shift) & 0xFF;
}
}  // namespace

void Bitmap::CopyMasked(Bitmap* destination, const Bitmap* mask, int32_t x, int32_t y, const Rect* source,
                        bool blend) const
{
    if (!m_pixels || !destination || !destination->IsValid() || !mask || !mask->IsValid())
        return;
    if (mask->GetWidth() != m_width || mask->GetHeight() != m_height)
        return;
    Rect r = source ? *source : m_rect;
    if (!ClipCopy(m_width, m_height, destination->GetWidth(), destination->GetHeight(), r, x, y))
        return;
    uint32_t* to = destination->Lock();
    const int32_t toRow = destination->GetRowPixels();
    const uint32_t* maskPixels = mask->m_pixels.get();
    for (int32_t row = r.top; row < r.bottom; ++row) {
        const size_t from = size_t(row) * size_t(m_width);
        uint32_t* target = to + size_t(y + row - r.top) * size_t(toRow) + size_t(x);
        for (int32_t column = r.left; column < r.right; ++column) {
            const uint32_t s = m_pixels[from + size_t(column)];
            const uint32_t m = maskPixels[from + size_t(column)];
            uint32_t& d = target[column - r.left];
            uint32_t result = 0;
            for (int shift = 16; shift >= 0; shift -= 8) {
                const uint32_t mc = Channel(m, shift);
                const uint32_t w = blend ? 255 - mc : 255;
                const uint32_t value = std::min<uint32_t>((Channel(s, shift) * mc + w * Channel(d, shift)) / 256, 255);
                result |= value << shift;
            }
            d = result;
        }
    }
    destination->Unlock();
}
