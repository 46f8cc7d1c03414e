#include "PAL/wx/ChangedTiles.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr Rect kNoMark = {0, 0, 0, 0};

bool Empty(const Rect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

}  // namespace

void ChangedTiles::Resize(int32_t width, int32_t height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_columns = (m_width + kTileSize - 1) / kTileSize;
    m_rows = (m_height + kTileSize - 1) / kTileSize;
    m_marks.assign(size_t(m_columns) * size_t(m_rows), kNoMark);
    m_marked = 0;
}

int32_t ChangedTiles::TileRight(int32_t column) const
{
    return std::min((column + 1) * kTileSize, m_width);
}

void ChangedTiles::Mark(const Rect& rect)
{
    const int32_t left = std::max(rect.left, 0), right = std::min(rect.right, m_width);
    const int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, m_height);
    if (left >= right || top >= bottom)
        return;
    for (int32_t ty = top / kTileSize; ty <= (bottom - 1) / kTileSize; ++ty) {
        const int32_t tileTop = ty * kTileSize, tileBottom = std::min(tileTop + kTileSize, m_height);
        for (int32_t tx = left / kTileSize; tx <= (right - 1) / kTileSize; ++tx) {
            const Rect part = {std::max(left, TileLeft(tx)), std::min(right, TileRight(tx)),
                               std::max(top, tileTop), std::min(bottom, tileBottom)};
            Rect& box = m_marks[size_t(ty) * size_t(m_columns) + size_t(tx)];
            if (Empty(box)) {
                box = part;
                ++m_marked;
            } else {
                box = {std::min(box.left, part.left), std::max(box.right, part.right), std::min(box.top, part.top),
                       std::max(box.bottom, part.bottom)};
            }
        }
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
    std::vector<int32_t> active;
    active.reserve(static_cast<size_t>(m_columns));
    for (int32_t ty = 0; a && b && ty < m_rows; ++ty) {
        const Rect* marks = &m_marks[size_t(ty) * size_t(m_columns)];
        int32_t top = m_height, bottom = 0;
        active.clear();
        for (int32_t tx = 0; tx < m_columns; ++tx)
            if (!Empty(marks[tx])) {
                active.push_back(tx);
                top = std::min(top, marks[tx].top);
                bottom = std::max(bottom, marks[tx].bottom);
            }
        if (active.empty())
            continue;
        for (int32_t tx : active)
            boxes[size_t(tx)] = Rect{m_width, 0, m_height, 0};  // empty: left beyond right
        for (int32_t y = top; y < bottom; ++y)
            CompareRow(a + size_t(y) * size_t(back.GetRowPixels()), b + size_t(y) * size_t(shown.GetRowPixels()), y,
                       marks, active, boxes.data());
        for (int32_t tx : active)
            if (boxes[size_t(tx)].left < boxes[size_t(tx)].right)
                copied.push_back(boxes[size_t(tx)]);
    }
    if (a)
        back.Unlock();
    if (b)
        shown.Unlock();
    for (const Rect& box : copied)
        back.CopyTo(&shown, box.left, box.top, &box);
    if (m_marked > 0)
        std::fill(m_marks.begin(), m_marks.end(), kNoMark);
    m_marked = 0;
    return copied;
}

void ChangedTiles::CompareRow(const uint32_t* a, const uint32_t* b, int32_t y, const Rect* marks,
                              const std::vector<int32_t>& active, Rect* boxes) const
{
    auto covers = [&](int32_t tx) { return marks[tx].top <= y && y < marks[tx].bottom; };
    for (size_t i = 0; i < active.size();) {
        const int32_t tx = active[i];
        if (!covers(tx)) {
            ++i;
            continue;
        }
        // The run of neighbouring tiles that the marks cover without a gap along this row.
        size_t end = i + 1;
        while (end < active.size() && active[end] == active[end - 1] + 1 &&
               marks[active[end - 1]].right == TileRight(active[end - 1]) && covers(active[end]) &&
               marks[active[end]].left == TileLeft(active[end]))
            ++end;
        const int32_t x0 = marks[tx].left, x1 = marks[active[end - 1]].right;
        if (std::memcmp(a + x0, b + x0, size_t(x1 - x0) * sizeof(uint32_t)) != 0) {
            for (size_t k = i; k < end; ++k) {
                const int32_t t = active[k];
                const int32_t left = marks[t].left, right = marks[t].right;
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
        i = end;
    }
}
