// The resource archive reader on an archive image from outside (loaded as the program's global archive),
// then lookups by known names and by names taken from the image itself, and a second archive sharing it.
// Holds: a found record's name is terminated within its limit and finds the record again; the global
// lookup gives the record's payload; every payload byte can be read, also through an archive that shares
// the records after the first one is emptied.

#include "PAL/ResourceArchive.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResourceArchive& archive = ResourceArchive::Global();
    const size_t usable = archive.LoadFromMemory(data, size);
    if (usable > archive.Count())
        abort();

    std::vector<const char*> names = {"", "a", "VelbrinCompPresets.csv", "VelbrinEQPresets.csv"};
    for (size_t at = 0; at < size && names.size() < 64; at += 1 + size / 48) {
        const char* name = reinterpret_cast<const char*>(data + at);
        if (memchr(name, 0, size - at) == nullptr)
            break;
        names.push_back(name);
    }
    (void)archive.Missing(names);

    volatile uint8_t sink = 0;
    for (const char* name : names) {
        const ResourceRecord* record = archive.Find(name);
        if (!record)
            continue;
        if (strnlen(record->GetName(), ResourceRecord::kMaxNameLength + 1) > ResourceRecord::kMaxNameLength)
            abort();
        if (archive.Find(record->GetName()) == nullptr)
            abort();
        uint32_t length = 0;
        const uint8_t* payload = GetResourceData(name, length);
        if (payload != record->GetData() || length != (payload ? record->GetSize() : 0))
            abort();
        if (payload && length > 0) {
            sink = sink + payload[0] + payload[length - 1];
        }
    }

    ResourceArchive sharer;
    sharer.ShareFrom(archive);
    if (sharer.Count() != archive.Count())
        abort();
    archive.Clear();
    for (const char* name : names)
        if (const ResourceRecord* record = sharer.Find(name); record && record->GetData() && record->GetSize())
            sink = sink + record->GetData()[record->GetSize() - 1];
    return 0;
}
