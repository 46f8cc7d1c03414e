#include "PAL/ResourceRecord.h"

#include <algorithm>
#include <cstring>

ResourceRecord::ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord,
                               std::unique_ptr<uint8_t[]> data, uint32_t size)
    : m_size(data ? size : 0), m_secondWord(secondWord), m_data(std::move(data))
{
    const size_t length = name ? std::min(nameLength, kMaxNameLength) : 0;
    if (length)
        std::memcpy(m_name, name, length);
    m_name[length] = '\0';
}
