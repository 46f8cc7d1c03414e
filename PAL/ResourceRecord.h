#pragma once
// One named entry of the resource archive: its name, its payload and the second word stored with it.
// Immutable once built, except that a payload read from a file may be given back (the bitmap cache holds
// it decoded) and is then read from the file again when next asked for. Archives share records through
// shared ownership. GUI thread only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class ResourceRecord {
public:
    // Names are cut to kMaxNameLength characters. A payload that could not be stored is null, and the
    // record then reports size 0. file and offset: where the payload lies in the archive file it was
    // read from (null for an archive in memory).
    ResourceRecord(const char* name, size_t nameLength, uint32_t secondWord, std::unique_ptr<uint8_t[]> data,
                   uint32_t size, std::shared_ptr<const std::string> file = nullptr, uint64_t offset = 0);

    ResourceRecord(const ResourceRecord&) = delete;
    ResourceRecord& operator=(const ResourceRecord&) = delete;

    const char* GetName() const { return m_name; }
    // Payload length in bytes.
    uint32_t GetSize() const { return m_size; }
    // The payload (not NUL-terminated), or null: read from the file again when it was given back, and
    // null when that read fails.
    const uint8_t* GetData() const;
    // Stored with the record in the file, never interpreted.
    uint32_t GetSecondWord() const { return m_secondWord; }
    // Frees the payload of a record read from a file; a record from memory keeps it.
    void ReleasePayload() const;

    static constexpr size_t kMaxNameLength = 255;

private:
    char m_name[kMaxNameLength + 1];
    uint32_t m_size;
    uint32_t m_secondWord;
    mutable std::unique_ptr<uint8_t[]> m_data;
    std::shared_ptr<const std::string> m_file;
    uint64_t m_offset;
};
