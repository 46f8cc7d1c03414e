#pragma once
// Which pixels of a window's back buffer differ from what the window shows. Drawing marks rectangles;
// Collect compares the marked pixels of the buffer with the shown copy (in each 32 x 32 tile, the box of
// the marks that fell into it), copies the pixels that differ into it and returns, per tile, the smallest
// rectangle holding them. A 3 x 96 meter thus costs 3 x 96 pixels compared, and a page that repaints
// every control after one of them changed sends only the changed pixels to the screen.

#include <cstdint>
#include <vector>

#include "PAL/Bitmap.h"

class ChangedTiles {
public:
    static constexpr int32_t kTileSize = 32;

    // A grid for width x height pixels, nothing marked.
    void Resize(int32_t width, int32_t height);
    // Marks the rectangle (clipped to the grid) for comparison.
    void Mark(const Rect& rect);
    void MarkAll();
    bool AnyMarked() const { return m_marked > 0; }
    // back and shown must both be the grid's size (otherwise nothing happens but the marks are cleared).
    // Returns the rectangles copied, in tile order (rows top to bottom); clears the marks.
    std::vector<Rect> Collect(Bitmap& back, Bitmap& shown);

private:
    // Widens the boxes of the marked tiles (active: their columns, in order) whose marks cover row y by
    // the pixels that differ there. Runs of tiles marked across their whole width are compared whole
    // first: most rows of a repainted window do not differ at all.
    void CompareRow(const uint32_t* a, const uint32_t* b, int32_t y, const Rect* marks,
                    const std::vector<int32_t>& active, Rect* boxes) const;
    int32_t TileLeft(int32_t column) const { return column * kTileSize; }
    int32_t TileRight(int32_t column) const;

    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
    // Per tile, the box of the marks inside it; empty (left not below right) when unmarked.
    std::vector<Rect> m_marks;
    int32_t m_marked = 0;
};
