#pragma once
// A resource-archive image holding one entry, for fuzz targets that hand their input to code which reads
// it from the global archive.

#include "platform/ByteOrder.h"

#include <cstdint>
#include <cstring>
#include <vector>

inline std::vector<uint8_t> ArchiveImage(const char* name, const uint8_t* payload, size_t size)
{
    const size_t nameAt = 12;
    const size_t dataAt = nameAt + strlen(name) + 1;
    std::vector<uint8_t> image(dataAt + 8 + size);
    PutBE32(&image[0], 1);
    PutBE32(&image[4], uint32_t(nameAt));
    PutBE32(&image[8], uint32_t(dataAt));
    memcpy(&image[nameAt], name, strlen(name) + 1);
    PutBE32(&image[dataAt], uint32_t(size));
    if (size)
        memcpy(&image[dataAt + 8], payload, size);
    return image;
}
