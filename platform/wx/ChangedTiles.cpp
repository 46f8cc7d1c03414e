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
    const uint32_t* a = fits && m_marked > 0 ? back.Lock() : nullptr;
    const uint32_t* b = fits && m_marked > 0 ? shown.Lock() : nullptr;
    std::vector<Rect> boxes(static_cast<size_t>(m_columns));
    for (int32_t ty = 0; a && b && ty < m_rows; ++ty) {
        uint8_t* marks = &m_tiles[size_t(ty) * size_t(m_columns)];
        if (std::find(marks, marks + m_columns, 1) == marks + m_columns)
            continue;
        // An empty box: left beyond right.
        std::fill(boxes.begin(), boxes.end(), Rect{m_width, 0, m_height, 0});
        const int32_t y1 = std::min((ty + 1) * kTileSize, m_height);
        for (int32_t y = ty * kTileSize; y < y1; ++y)
            CompareRow(a + size_t(y) * size_t(back.GetRowPixels()), b + size_t(y) * size_t(shown.GetRowPixels()), y,
                       marks, boxes.data());
        for (int32_t tx = 0; tx < m_columns; ++tx)
            if (boxes[size_t(tx)].left < boxes[size_t(tx)].right)
                copied.push_back(boxes[size_t(tx)]);
        std::fill(marks, marks + m_columns, 0);
    }
    if (a)
        back.Unlock();
    if (b)
        shown.Unlock();
    for (const Rect& box : copied)
        back.CopyTo(&shown, box.left, box.top, &box);
    std::fill(m_tiles.begin(), m_tiles.end(), 0);
    m_marked = 0;
    return copied;
}

void ChangedTiles::CompareRow(const uint32_t* a, const uint32_t* b, int32_t y, const uint8_t* marks,
                              Rect* boxes) const
{
    for (int32_t tx = 0; tx < m_columns;) {
        if (!marks[tx]) {
            ++tx;
            continue;
        }
        int32_t end = tx;
        while (end < m_columns && marks[end])
            ++end;
        const int32_t x0 = tx * kTileSize, x1 = std::min(end * kTileSize, m_width);
        if (std::memcmp(a + x0, b + x0, size_t(x1 - x0) * sizeof(uint32_t)) != 0) {
            for (int32_t t = tx; t < end; ++t) {
                const int32_t left = t * kTileSize, right = std::min(left + kTileSize, m_width);
                if (std::memcmp(a + left, b + left, size_t(right - left) * sizeof(uint32_t)) == 0)
                    continue;
                int32_t first = left, last = right - 1;
                while (a[first] == b[first])
                    ++first;
                while (a[last] == b[last])
                    --last;
                Rect& box = boxes[t];
                box.left = std::min(box.left, first);
                box.right = std::max(box.right, last + 1);
                box.top = std::min(box.top, y);
                box.bottom = y + 1;
            }
        }
        tx = end;
    }
}
