#include "platform/wx/ChangedTiles.h"

#include <algorithm>
#include <cstring>

void ChangedTiles::Resize(int32_t width, int32_t height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_columns = (m_width + kTileSize - 1) / kTileSize;
    m_rows = (m_height + kTileSize - 1) / kTileSize;
    m_tiles.assign(size_t(m_columns) * size_t(m_rows), 0);
    m_marked = 0;
}

void ChangedTiles::Mark(const Rect& rect)
{
    const int32_t left = std::max(rect.left, 0), right = std::min(rect.right, m_width);
    const int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    for (int32_t ty = top / kTileSize; ty <= (bottom - 1) / kTileSize; ++ty)
        for (int32_t tx = left / kTileSize; tx <= (right - 1) / kTileSize; ++tx) {
            uint8_t& tile = m_tiles[size_t(ty) * size_t(m_columns) + size_t(tx)];
            m_marked += tile ? 0 : 1;
            tile = 1;
        }
}

void ChangedTiles::MarkAll()
{
    Mark(Rect{0, m_width, 0, m_height});
}

std::vector<Rect> ChangedTiles::Collect(Bitmap& back, Bitmap& shown)
{
    std::vector<Rect> copied;
    const bool fits = back.GetWidth() == m_width && back.GetHeight() == m_height && shown.GetWidth() == m_width &&
                      shown.GetHeight() == m_height;
    for (int32_t ty = 0; ty < m_rows && m_marked > 0; ++ty)
        for (int32_t tx = 0; tx < m_columns; ++tx) {
            uint8_t& tile = m_tiles[size_t(ty) * size_t(m_columns) + size_t(tx)];
            if (!tile)
                continue;
            tile = 0;
            --m_marked;
            Rect box;
            if (fits && DifferingBox(back, shown, tx, ty, box)) {
                back.CopyTo(&shown, box.left, box.top, &box);
                copied.push_back(box);
            }
        }
    m_marked = 0;
    return copied;
}

bool ChangedTiles::DifferingBox(Bitmap& back, Bitmap& shown, int32_t tx, int32_t ty, Rect& box) const
{
    const int32_t x0 = tx * kTileSize, x1 = std::min(x0 + kTileSize, m_width);
    const int32_t y0 = ty * kTileSize, y1 = std::min(y0 + kTileSize, m_height);
    const uint32_t* a = back.Lock();
    const uint32_t* b = shown.Lock();
    const int32_t rowA = back.GetRowPixels(), rowB = shown.GetRowPixels();
    bool found = false;
    box = Rect{x1, x0, y1, y0};
    for (int32_t y = y0; a && b && y < y1; ++y) {
        const uint32_t* pa = a + size_t(y) * size_t(rowA);
        const uint32_t* pb = b + size_t(y) * size_t(rowB);
        if (std::memcmp(pa + x0, pb + x0, size_t(x1 - x0) * sizeof(uint32_t)) == 0)
            continue;
        int32_t first = x0, last = x1 - 1;
        while (pa[first] == pb[first])
            ++first;
        while (pa[last] == pb[last])
            --last;
        box.left = std::min(box.left, first);
        box.right = std::max(box.right, last + 1);
        box.top = std::min(box.top, y);
        box.bottom = y + 1;
        found = true;
    }
    back.Unlock();
    shown.Unlock();
    return found;
}
