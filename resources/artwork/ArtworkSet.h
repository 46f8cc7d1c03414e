#pragma once
// The named bitmaps and texts of the archive, with what the controls need to know about each
// bitmap: frame count and pitch of strips, and the mask that goes with an image. The manifest
// lists exactly this, one line per resource, for the tests and for people.

#include <cstdint>
#include <string>
#include <vector>

#include "resources/artwork/Surface.h"

struct ArtBitmap {
    std::string name;
    Surface image;
    int frames = 1;        // frames side by side in a strip
    int framePitch = 0;    // distance between frame origins; 0 = the whole width
    int frameWidth = 0;    // width of one frame; 0 = the whole width
    std::string mask;      // name of the opacity mask drawn with this image, or empty
    std::string role;      // one word for the contact sheet: backdrop, strip, mask, image, font
};

struct ArtText {
    std::string name;
    std::vector<uint8_t> bytes;
    bool placeholder = false;
};

class ArtworkSet {
public:
    ArtBitmap& Add(const std::string& name, Surface image, const std::string& role = "image");
    ArtBitmap& AddStrip(const std::string& name, Surface image, int frames, int pitch, int frameWidth,
                        const std::string& mask);
    void AddText(const std::string& name, std::vector<uint8_t> bytes, bool placeholder);

    const ArtBitmap* Find(const std::string& name) const;
    const std::vector<ArtBitmap>& Bitmaps() const { return bitmaps_; }
    const std::vector<ArtText>& Texts() const { return texts_; }

    // The archive image: bitmaps in name order, then the texts.
    std::vector<uint8_t> BuildArchive() const;
    // "bitmap NAME W H frames=F pitch=P frame=FW mask=M role=R" and "text NAME SIZE [placeholder]".
    std::string Manifest() const;

private:
    std::vector<ArtBitmap> bitmaps_;
    std::vector<ArtText> texts_;
};
