#pragma once
// Builds resource archive images in memory: the directory, then each name, then each record.

#include <cstdint>
#include <string>
#include <vector>

struct TestEntry {
    std::string name;
    std::vector<uint8_t> payload;
    uint32_t secondWord = 0;
};

inline void PutBigEndian(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        out[at + i] = uint8_t(value >> (24 - 8 * i));
}

inline std::vector<uint8_t> MakeArchive(const std::vector<TestEntry>& entries)
{
    std::vector<uint8_t> out(4 + 8 * entries.size());
    PutBigEndian(out, 0, uint32_t(entries.size()));
    for (size_t k = 0; k < entries.size(); ++k) {
        PutBigEndian(out, 4 + 8 * k, uint32_t(out.size()));
        out.insert(out.end(), entries[k].name.begin(), entries[k].name.end());
        out.push_back(0);
        const size_t record = out.size();
        PutBigEndian(out, 8 + 8 * k, uint32_t(record));
        out.resize(record + 8);
        PutBigEndian(out, record, uint32_t(entries[k].payload.size()));
        PutBigEndian(out, record + 4, entries[k].secondWord);
        out.insert(out.end(), entries[k].payload.begin(), entries[k].payload.end());
    }
    return out;
}

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}
