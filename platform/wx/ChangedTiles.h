#pragma once
// Which pixels of a window's back buffer differ from what the window shows. Drawing marks rectangles;
// Collect compares the marked 32 x 32 tiles of the buffer with the shown copy, copies the pixels that
// differ into it and returns, per tile, the smallest rectangle holding them. A page that repaints
// every control after one of them changed thus sends only the changed pixels to the screen.

#include <cstdint>
#include <vector>

#include "PAL/Bitmap.h"

class ChangedTiles {
public:
    static constexpr int32_t kTileSize = 32;

    // A grid for width x height pixels, nothing marked.
    void Resize(int32_t width, int32_t height);
    // Marks every tile the rectangle touches (clipped to the grid).
    void Mark(const Rect& rect);
    void MarkAll();
    bool AnyMarked() const { return m_marked > 0; }
    // back and shown must both be the grid's size (otherwise nothing happens but the marks are cleared).
    // Returns the rectangles copied, in tile order (rows top to bottom); clears the marks.
    std::vector<Rect> Collect(Bitmap& back, Bitmap& shown);

private:
    // Widens the boxes of the marked tiles of one row of pixels by the pixels that differ there. Runs of
    // marked tiles are compared whole first: most rows of a repainted window do not differ at all.
    void CompareRow(const uint32_t* a, const uint32_t* b, int32_t y, const uint8_t* marks, Rect* boxes) const;

    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_columns = 0;
    int32_t m_rows = 0;
    std::vector<uint8_t> m_tiles;
    int32_t m_marked = 0;
};
