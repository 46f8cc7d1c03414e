#pragma once
// Writes the resource archive: a big-endian count N, then N pairs of absolute offsets (name, data),
// then each resource's NUL-terminated name followed by its record: big-endian payload size, a
// second word (0), and the payload. Lookup follows directory order, which is insertion order.

#include <cstdint>
#include <string>
#include <vector>

class ArchiveWriter {
public:
    // Names longer than 255 characters are refused (the reader keeps only 255), as are duplicates.
    bool Add(const std::string& name, std::vector<uint8_t> payload);
    std::vector<uint8_t> Build() const;
    size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> payload;
    };
    std::vector<Entry> entries_;
};
