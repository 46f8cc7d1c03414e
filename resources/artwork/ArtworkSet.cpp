#include "resources/artwork/ArtworkSet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "resources/artwork/ArchiveWriter.h"
#include "resources/artwork/BmpEncoder.h"

ArtBitmap& ArtworkSet::Add(const std::string& name, Surface image, const std::string& role)
{
    if (Find(name)) {
        fprintf(stderr, "velbrin_artwork: %s drawn twice\n", name.c_str());
        exit(1);
    }
    ArtBitmap b;
    b.name = name;
    b.image = std::move(image);
    b.role = role;
    bitmaps_.push_back(std::move(b));
    return bitmaps_.back();
}

ArtBitmap& ArtworkSet::AddStrip(const std::string& name, Surface image, int frames, int pitch,
                                int frameWidth, const std::string& mask)
{
    ArtBitmap& b = Add(name, std::move(image), "strip");
    b.frames = frames;
    b.framePitch = pitch;
    b.frameWidth = frameWidth;
    b.mask = mask;
    return b;
}

void ArtworkSet::AddText(const std::string& name, std::vector<uint8_t> bytes, bool placeholder)
{
    texts_.push_back(ArtText{name, std::move(bytes), placeholder});
}

const ArtBitmap* ArtworkSet::Find(const std::string& name) const
{
    for (const ArtBitmap& b : bitmaps_)
        if (b.name == name)
            return &b;
    return nullptr;
}

namespace {

std::vector<const ArtBitmap*> Sorted(const std::vector<ArtBitmap>& bitmaps)
{
    std::vector<const ArtBitmap*> order;
    for (const ArtBitmap& b : bitmaps)
        order.push_back(&b);
    std::sort(order.begin(), order.end(),
              [](const ArtBitmap* a, const ArtBitmap* b) { return a->name < b->name; });
    return order;
}

}  // namespace

std::vector<uint8_t> ArtworkSet::BuildArchive() const
{
    ArchiveWriter writer;
    for (const ArtBitmap* b : Sorted(bitmaps_))
        if (!writer.Add(b->name, EncodeBmp24(b->image))) {
            fprintf(stderr, "velbrin_artwork: cannot pack %s\n", b->name.c_str());
            exit(1);
        }
    for (const ArtText& t : texts_)
        if (!writer.Add(t.name, t.bytes)) {
            fprintf(stderr, "velbrin_artwork: cannot pack %s\n", t.name.c_str());
            exit(1);
        }
    return writer.Build();
}

std::string ArtworkSet::Manifest() const
{
    std::string out;
    char line[512];
    for (const ArtBitmap* b : Sorted(bitmaps_)) {
        snprintf(line, sizeof line, "bitmap %s %d %d frames=%d pitch=%d frame=%d mask=%s role=%s\n",
                 b->name.c_str(), b->image.Width(), b->image.Height(), b->frames,
                 b->framePitch ? b->framePitch : b->image.Width(),
                 b->frameWidth ? b->frameWidth : b->image.Width(), b->mask.empty() ? "-" : b->mask.c_str(),
                 b->role.c_str());
        out += line;
    }
    for (const ArtText& t : texts_) {
        snprintf(line, sizeof line, "text %s %zu%s\n", t.name.c_str(), t.bytes.size(),
                 t.placeholder ? " placeholder" : "");
        out += line;
    }
    return out;
}
