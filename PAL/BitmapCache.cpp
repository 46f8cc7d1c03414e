#include "PAL/BitmapCache.h"

#include <memory>
#include <vector>

#include "PAL/ResourceArchive.h"

namespace {

std::vector<std::unique_ptr<ResourceBitmap>>& Entries()
{
    static std::vector<std::unique_ptr<ResourceBitmap>> entries;
    return entries;
}

size_t NameLength(const char* name)
{
    size_t n = 0;
    while (name[n]) {
        const unsigned char c = static_cast<unsigned char>(name[n]);
        if (c < 0x20 || c >= 0x80)
            break;
        ++n;
    }
    return n;
}

}  // namespace

ResourceBitmap::ResourceBitmap(const char* name, const uint8_t* data, size_t size)
    : Bitmap(data, size), m_name(name, NameLength(name))
{
}

ResourceBitmap* BitmapCache::Get(const char* name)
{
    if (!name)
        return nullptr;
    for (const auto& entry : Entries())
        if (ResourceArchive::CompareNames(entry->GetName(), name) == 0)
            return entry.get();
    const ResourceRecord* record = ResourceArchive::Global().Find(name);
    if (!record || !record->GetData())
        return nullptr;
    Entries().push_back(std::make_unique<ResourceBitmap>(name, record->GetData(), record->GetSize()));
    // The decoded bitmap is what is used from now on; the file holds the payload should it be needed again.
    record->ReleasePayload();
    return Entries().back().get();
}

void BitmapCache::Empty()
{
    Entries().clear();
}

size_t BitmapCache::Count()
{
    return Entries().size();
}
