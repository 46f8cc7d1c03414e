#pragma once
// Encodes an image as the BMP form the program's decoder reads: a 14-byte file header, a 40-byte
// info header, then 24-bit pixels (blue, green, red) bottom-up, each row padded to 4 bytes, with no
// colour table and no compression.

#include <cstdint>
#include <vector>

#include "resources/artwork/Surface.h"

std::vector<uint8_t> EncodeBmp24(const Surface& image);
