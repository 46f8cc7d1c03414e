#pragma once
// The resource archive ("ProjectResources.res"): named payloads (BMP files, preset texts) read whole into
// memory and found by name. A record read from a file can give its payload back once the bitmap cache
// holds it decoded; it is read from the file again should it be needed once more.
//
// File format, all integers unsigned 32-bit big-endian, offsets absolute from the start of the file:
//   0        N, the number of resources (taken as signed: 0 or less is an empty archive)
//   4 + 8k   name offset of resource k       8 + 8k   data offset of resource k
//   name:    NUL-terminated bytes (at most 255 are kept)
//   data:    payload size, a second word (kept, never interpreted), then the payload
// The reader checks the file: the count is capped at what the directory can hold, and a record whose name
// or payload does not lie inside the file is skipped. Entries may share one payload, but the copies made
// of the payloads stay within kMaxCopyFactor times the file's size: a record that would go past that is
// skipped too. What was wrong is summed up in Problem() (and the first few skipped records are traced),
// however many records are bad. The directory order is the lookup order; of duplicate names the first
// wins. GUI thread only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PAL/ResourceRecord.h"

class ResourceArchive {
public:
    ResourceArchive();
    ~ResourceArchive();

    ResourceArchive(const ResourceArchive&) = delete;
    ResourceArchive& operator=(const ResourceArchive&) = delete;

    // Replaces the contents with the records of the file at path and returns how many of them are usable
    // (hold their payload). 0 when the file cannot be read (the archive is then empty) or holds no usable
    // record.
    size_t Load(const char* path);
    // The same from an archive image of length bytes; payloads are copied.
    size_t LoadFromMemory(const uint8_t* image, size_t length);
    // Replaces the contents with other's records, shared with it; records stay alive while either archive
    // (or any other sharer) holds them. Sharing with itself does nothing.
    void ShareFrom(const ResourceArchive& other);
    // Empties the archive.
    void Clear();

    // The first record whose name equals name under CompareNames, or null.
    const ResourceRecord* Find(const char* name) const;
    size_t Count() const { return m_records.size(); }
    // The names among names that have no usable record here, in the order given; empty when the archive
    // holds them all. Names compare as in Find.
    std::vector<std::string> Missing(const std::vector<const char*>& names) const;
    // True when the records were read by this archive, false when they are shared from another.
    bool Owns() const { return m_owns; }
    // What was wrong with the file or image of the last load, in a few words for the user ("cannot be
    // opened (No such file or directory)", "3 of its 120 records lie outside the file (the first is
    // record 7)", several joined by "; "); empty when every record was read whole.
    const std::string& Problem() const { return m_problem; }

    // Compares byte by byte; any byte below 0x20 or of 0x80 and above ends a name like its NUL, so a name
    // may be given as a pointer into newline-separated text. 0 when equal, else the difference of the
    // first differing bytes (an ending byte counting as 0).
    static int32_t CompareNames(const char* a, const char* b);

    // The process-wide archive the program's resources are loaded into at start-up.
    static ResourceArchive& Global();

    // Largest archive file Load accepts.
    static constexpr size_t kMaxFileSize = size_t(256) << 20;
    // The payload copies of one archive take at most this many times the size of its file.
    static constexpr size_t kMaxCopyFactor = 4;
    // Skipped records traced one by one; the rest only count.
    static constexpr size_t kMaxTracedRecords = 3;

private:
    // The records of image, with copies of their payloads; file: the path image was read from (null for
    // an image in memory).
    size_t LoadImage(const uint8_t* image, size_t length, const std::shared_ptr<const std::string>& file);

    bool m_owns = true;
    std::string m_problem;
    std::vector<std::shared_ptr<const ResourceRecord>> m_records;
};

// The payload of the named entry of the global archive, not NUL-terminated, valid while the archive holds
// it; size receives its length. Null with size 0 when there is no such entry.
const uint8_t* GetResourceData(const char* name, uint32_t& size);
