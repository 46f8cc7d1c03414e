#include "PAL/ResourceArchive.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/DebugLog.h"

namespace {

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

bool EndsName(unsigned char c)
{
    return c < 0x20 || c >= 0x80;
}

// Length of the name at offset (before its NUL, at most kMaxNameLength), or -1 when the name runs off the
// end of the image.
int64_t NameLength(const uint8_t* image, size_t length, uint32_t offset)
{
    if (offset >= length)
        return -1;
    const size_t available = length - offset;
    const size_t limit = available < ResourceRecord::kMaxNameLength ? available : ResourceRecord::kMaxNameLength;
    const void* nul = std::memchr(image + offset, 0, limit);
    if (nul)
        return static_cast<const uint8_t*>(nul) - (image + offset);
    return limit == ResourceRecord::kMaxNameLength ? int64_t(limit) : -1;
}

}  // namespace

ResourceArchive::ResourceArchive() = default;

ResourceArchive::~ResourceArchive()
{
    Clear();
}

size_t ResourceArchive::Load(const char* path)
{
    Clear();
    m_owns = true;
    FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file) {
        m_problem = std::string("cannot be opened (") + std::strerror(path ? errno : EINVAL) + ")";
        return 0;
    }
    // The file is read whole, once, into a block of its own size.
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0)
        m_problem = std::string("cannot be read (") + std::strerror(errno) + ")";
    else if (size_t(size) > kMaxFileSize)
        m_problem = "is larger than " + std::to_string(kMaxFileSize >> 20) + " MB";
    std::unique_ptr<uint8_t[]> image(m_problem.empty() ? new (std::nothrow) uint8_t[size_t(size) + 1] : nullptr);
    if (m_problem.empty() && !image)
        m_problem = "cannot be read (out of memory)";
    size_t length = 0;
    while (m_problem.empty() && length < size_t(size)) {
        const size_t got = std::fread(image.get() + length, 1, size_t(size) - length, file);
        length += got;
        if (std::ferror(file))
            m_problem = std::string("cannot be read (") + std::strerror(errno) + ")";
        else if (got == 0)
            m_problem = "changed while it was read";
    }
    // One byte more than the size is asked for: a file that grew meanwhile is refused as well.
    if (m_problem.empty() && std::fread(image.get() + length, 1, 1, file) != 0)
        m_problem = "changed while it was read";
    std::fclose(file);
    if (!m_problem.empty()) {
        DebugLog("ResourceArchive: %s %s, not loaded\n", path, m_problem.c_str());
        return 0;
    }
    return LoadImage(image.get(), length, std::make_shared<const std::string>(path));
}

size_t ResourceArchive::LoadFromMemory(const uint8_t* image, size_t length)
{
    return LoadImage(image, length, nullptr);
}

size_t ResourceArchive::LoadImage(const uint8_t* image, size_t length, const std::shared_ptr<const std::string>& file)
{
    Clear();
    m_owns = true;
    if (!image || length < 4) {
        m_problem = "is too short to be a resource archive (" + std::to_string(image ? length : 0) + " bytes)";
        return 0;
    }
    const int32_t declared = int32_t(BigEndian32(image));
    if (declared <= 0) {
        m_problem = "holds no resources (its count is " + std::to_string(declared) + ")";
        return 0;
    }
    std::vector<std::string> problems;
    const size_t fits = (length - 4) / 8;
    size_t count = size_t(declared);
    if (count > fits) {
        DebugLog("ResourceArchive: count %d capped at %zu, what the directory can hold\n", declared, fits);
        problems.push_back("names " + std::to_string(declared) + " resources, but its " + std::to_string(length) +
                           " bytes have room for the directory of " + std::to_string(fits));
        count = fits;
    }
    m_records.reserve(count);
    const size_t budget = kMaxCopyFactor * length;
    size_t copied = 0;
    size_t usable = 0;
    // Skipped records by reason, with the first of each: outside the file, past the copy budget, no memory.
    size_t skipped[3] = {0, 0, 0};
    size_t firstSkipped[3] = {0, 0, 0};
    auto skip = [&](int reason, size_t k) {
        if (skipped[reason]++ == 0)
            firstSkipped[reason] = k;
        return skipped[0] + skipped[1] + skipped[2] <= kMaxTracedRecords;
    };
    for (size_t k = 0; k < count; ++k) {
        const uint32_t nameOffset = BigEndian32(image + 4 + 8 * k);
        const uint32_t dataOffset = BigEndian32(image + 8 + 8 * k);
        const int64_t nameLength = NameLength(image, length, nameOffset);
        const bool headerInside = length >= 8 && dataOffset <= length - 8;
        const uint32_t size = headerInside ? BigEndian32(image + dataOffset) : 0;
        if (nameLength < 0 || !headerInside || size > length - 8 - dataOffset) {
            if (skip(0, k))
                DebugLog("ResourceArchive: record %zu skipped, name at %u or data at %u lies outside the "
                         "%zu-byte archive\n", k, nameOffset, dataOffset, length);
            continue;
        }
        if (size > budget - copied) {
            if (skip(1, k))
                DebugLog("ResourceArchive: record %zu skipped, its %u-byte payload would take the copies past "
                         "%zu bytes\n", k, size, budget);
            continue;
        }
        copied += size;
        const uint32_t secondWord = BigEndian32(image + dataOffset + 4);
        const char* name = reinterpret_cast<const char*>(image + nameOffset);
        // One byte at least, so an empty payload still has a pointer.
        std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[size ? size : 1]);
        if (data) {
            std::memcpy(data.get(), image + dataOffset + 8, size);
            ++usable;
        } else {
            skip(2, k);
        }
        m_records.push_back(std::make_shared<const ResourceRecord>(name, size_t(nameLength), secondWord,
                                                                   std::move(data), size, file,
                                                                   uint64_t(dataOffset) + 8));
    }
    const size_t total = skipped[0] + skipped[1] + skipped[2];
    if (total > kMaxTracedRecords)
        DebugLog("ResourceArchive: %zu records skipped in all\n", total);
    const char* what[3] = {" lie outside the file", " would take the copies of the payloads past " ,
                           " could not be copied (out of memory)"};
    for (int reason = 0; reason < 3; ++reason) {
        if (skipped[reason] == 0)
            continue;
        std::string text = std::to_string(skipped[reason]) + " of its " + std::to_string(count) + " records" +
                           what[reason];
        if (reason == 1)
            text += std::to_string(budget) + " bytes";
        problems.push_back(text + " (the first is record " + std::to_string(firstSkipped[reason]) + ")");
    }
    for (const std::string& problem : problems)
        m_problem += (m_problem.empty() ? "" : "; ") + problem;
    return usable;
}

void ResourceArchive::ShareFrom(const ResourceArchive& other)
{
    if (&other == this)
        return;
    m_records = other.m_records;
    m_problem = other.m_problem;
    m_owns = false;
}

void ResourceArchive::Clear()
{
    m_records.clear();
    m_problem.clear();
}

const ResourceRecord* ResourceArchive::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& record : m_records)
        if (CompareNames(record->GetName(), name) == 0)
            return record.get();
    return nullptr;
}

std::vector<std::string> ResourceArchive::Missing(const std::vector<const char*>& names) const
{
    std::vector<std::string> missing;
    for (const char* name : names) {
        const ResourceRecord* record = Find(name);
        if (!record || !record->GetData())
            missing.push_back(name ? name : "");
    }
    return missing;
}

int32_t ResourceArchive::CompareNames(const char* a, const char* b)
{
    a = a ? a : "";
    b = b ? b : "";
    for (size_t i = 0;; ++i) {
        const unsigned char ca = static_cast<unsigned char>(a[i]);
        const unsigned char cb = static_cast<unsigned char>(b[i]);
        const int32_t va = EndsName(ca) ? 0 : int32_t(ca);
        const int32_t vb = EndsName(cb) ? 0 : int32_t(cb);
        if (va != vb)
            return va - vb;
        if (va == 0)
            return 0;
    }
}

ResourceArchive& ResourceArchive::Global()
{
    static ResourceArchive archive;
    return archive;
}

const uint8_t* GetResourceData(const char* name, uint32_t& size)
{
    const ResourceRecord* record = ResourceArchive::Global().Find(name);
    if (!record || !record->GetData()) {
        size = 0;
        return nullptr;
    }
    size = record->GetSize();
    return record->GetData();
}
