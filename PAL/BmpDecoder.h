#pragma once
// Reads BMP files (as they lie in the resource archive) into bitmaps, checking the file before it reads.
//
// Accepted: "BM" files with a 40-byte info header or a 12-byte core header; 1, 4, 8 and 24 bits per pixel,
// and with the 40-byte header also 32 bits per pixel; uncompressed only; width 1..16384, height 1..16384
// (bottom-up), and with the 40-byte header also -1..-16384 (top-down); at most Bitmap::kMaxPixels pixels in
// all. The colour table follows the header (4-byte entries, 3-byte entries with the core header; the 40-byte
// header's colour count when it gives one, else 2^bits entries); an index past the table gives black. The
// pixel rows start at the file's pixel-data offset when that lies at or after the end of the header, else
// directly after the colour table. Header, table and every row must lie inside the data. Anything else
// leaves the bitmap as it was.

#include <cstddef>
#include <cstdint>

class Bitmap;

class BmpDecoder {
public:
    // Decodes data (size bytes) into bitmap, which receives new pixels; false when the file is refused
    // (bitmap untouched) or the pixels cannot be allocated (bitmap invalid).
    static bool Decode(const uint8_t* data, size_t size, Bitmap& bitmap);
};
