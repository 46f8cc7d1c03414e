#pragma once
// The process-wide cache of decoded archive bitmaps: the one way controls obtain their bitmaps. Every
// control that names the same resource shares one decoded image, owned by the cache; the cache is emptied
// when the last control page is destroyed. GUI thread only.

#include <cstddef>
#include <cstdint>
#include <string>

#include "PAL/Bitmap.h"

// A bitmap decoded from an archive entry, with the name it was looked up by. Made only by BitmapCache.
class ResourceBitmap : public Bitmap {
public:
    ResourceBitmap(const char* name, const uint8_t* data, size_t size);
    const char* GetName() const { return m_name.c_str(); }

private:
    std::string m_name;
};

class BitmapCache {
public:
    // The cached bitmap whose name equals name (ResourceArchive::CompareNames), else one decoded from the
    // global archive's entry and cached. Null, and nothing cached, when the archive has no such entry or
    // its payload is missing. A payload that does not decode is cached as an invalid bitmap.
    // The name is stored up to its first byte that ends a name, so name may point into argument text.
    static ResourceBitmap* Get(const char* name);
    // Destroys every cached bitmap; pointers handed out before are dangling afterwards.
    static void Empty();
    static size_t Count();
};
