#include "resources/artwork/ArchiveWriter.h"

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void SetBE32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = uint8_t(v >> 24);
    out[at + 1] = uint8_t(v >> 16);
    out[at + 2] = uint8_t(v >> 8);
    out[at + 3] = uint8_t(v);
}

}  // namespace

bool ArchiveWriter::Add(const std::string& name, std::vector<uint8_t> payload)
{
    if (name.empty() || name.size() > 255 || name.find('\0') != std::string::npos)
        return false;
    for (const Entry& e : entries_)
        if (e.name == name)
            return false;
    entries_.push_back(Entry{name, std::move(payload)});
    return true;
}

std::vector<uint8_t> ArchiveWriter::Build() const
{
    std::vector<uint8_t> out;
    PutBE32(out, uint32_t(entries_.size()));
    const size_t directory = out.size();
    out.resize(directory + 8 * entries_.size(), 0);
    for (size_t k = 0; k < entries_.size(); ++k) {
        const Entry& e = entries_[k];
        SetBE32(out, directory + 8 * k, uint32_t(out.size()));
        out.insert(out.end(), e.name.begin(), e.name.end());
        out.push_back(0);
        SetBE32(out, directory + 8 * k + 4, uint32_t(out.size()));
        PutBE32(out, uint32_t(e.payload.size()));
        PutBE32(out, 0);
        out.insert(out.end(), e.payload.begin(), e.payload.end());
    }
    return out;
}
