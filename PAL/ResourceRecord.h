#pragma once
// One named entry of the resource archive: its name, its payload and the second word stored with it.
// Immutable once built; archives share records through shared ownership.

#include <cstddef>
#include <cstdint>
#include <memory>

class ResourceRecord {
public:
    // Names are cut to kMaxNameLength characters. A payload that could not be stored is null, and the
    // record then reports size 0.
    ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord, std::unique_ptr<uint8_t[]> data,
                   uint32_t size);
    // A payload inside a larger block that the record shares (an archive file read whole): data points
    // into what image keeps alive.
    ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord, std::shared_ptr<const uint8_t[]> image,
                   const uint8_t* data, uint32_t size);

    ResourceRecord(const ResourceRecord&) = delete;
    ResourceRecord& operator=(const ResourceRecord&) = delete;

    const char* GetName() const { return m_name; }
    // Payload length in bytes.
    uint32_t GetSize() const { return m_size; }
    // The payload (not NUL-terminated), or null.
    const uint8_t* GetData() const { return m_data.get(); }
    // Stored with the record in the file, never interpreted.
    uint32_t GetSecondWord() const { return m_secondWord; }

    static constexpr size_t kMaxNameLength = 255;

private:
    void SetName(const char* name, size_t nameLength);

    char m_name[kMaxNameLength + 1];
    uint32_t m_size;
    uint32_t m_secondWord;
    std::shared_ptr<const uint8_t> m_data;
};
