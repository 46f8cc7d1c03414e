#include "PAL/ResourceRecord.h"

#include <algorithm>
#include <cstring>

ResourceRecord::ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord,
                               std::unique_ptr<uint8_t[]> data, uint32_t size)
    : m_size(data ? size : 0), m_secondWord(secondWord)
{
    const std::shared_ptr<const uint8_t[]> owned(std::move(data));
    if (owned)
        m_data = std::shared_ptr<const uint8_t>(owned, owned.get());
    SetName(name, nameLength);
}

ResourceRecord::ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord,
                               std::shared_ptr<const uint8_t[]> image, const uint8_t* data, uint32_t size)
    : m_size(image && data ? size : 0), m_secondWord(secondWord)
{
    if (image && data)
        m_data = std::shared_ptr<const uint8_t>(image, data);
    SetName(name, nameLength);
}

void ResourceRecord::SetName(const char* name, size_t nameLength)
{
    const size_t length = name ? std::min(nameLength, kMaxNameLength) : 0;
    if (length)
        std::memcpy(m_name, name, length);
    m_name[length] = '\0';
}
