#include "PAL/ResourceRecord.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/DebugLog.h"

ResourceRecord::ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord,
                               std::unique_ptr<uint8_t[]> data, uint32_t size, std::shared_ptr<const std::string> file,
                               uint64_t offset)
    : m_size(data ? size : 0),
      m_secondWord(secondWord),
      m_data(std::move(data)),
      m_file(m_data ? std::move(file) : nullptr),
      m_offset(offset)
{
    const size_t length = name ? std::min(nameLength, kMaxNameLength) : 0;
    if (length)
        std::memcpy(m_name, name, length);
    m_name[length] = '\0';
}

const uint8_t* ResourceRecord::GetData() const
{
    if (m_data || !m_file)
        return m_data.get();
    // One byte at least, so an empty payload still has a pointer.
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[m_size ? m_size : 1]);
    FILE* file = data ? std::fopen(m_file->c_str(), "rb") : nullptr;
    const bool ok = file && std::fseek(file, long(m_offset), SEEK_SET) == 0 &&
                    std::fread(data.get(), 1, m_size, file) == m_size;
    if (file)
        std::fclose(file);
    if (!ok) {
        DebugLog("ResourceRecord: %s could not be read again from %s\n", m_name, m_file->c_str());
        return nullptr;
    }
    m_data = std::move(data);
    return m_data.get();
}

void ResourceRecord::ReleasePayload() const
{
    if (m_file)
        m_data.reset();
}
