// velbrin_artwork: draws the program's bitmaps and packs them with the preset texts into the
// resource archive.
//
//   velbrin_artwork --presets DIR [--archive FILE] [--manifest FILE] [--contact-sheet DIR]
//
// The preset texts are read from DIR as they stand; a missing text is replaced by a one-line
// placeholder (listed as such in the manifest). Output files are written whole or not at all.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resources/artwork/ArtworkSet.h"
#include "resources/artwork/Backdrops.h"
#include "resources/artwork/ContactSheet.h"
#include "resources/artwork/ControlArt.h"
#include "resources/artwork/ControlRecipe.h"

namespace {

bool ReadFile(const std::string& path, std::vector<uint8_t>* out)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;
    out->clear();
    uint8_t buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out->insert(out->end(), buf, buf + n);
    const bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool WriteFile(const std::string& path, const void* data, size_t size)
{
    const std::string temp = path + ".tmp";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "velbrin_artwork: cannot write %s\n", temp.c_str());
        return false;
    }
    const bool ok = fwrite(data, 1, size, f) == size;
    if (fclose(f) != 0 || !ok || rename(temp.c_str(), path.c_str()) != 0) {
        fprintf(stderr, "velbrin_artwork: cannot write %s\n", path.c_str());
        remove(temp.c_str());
        return false;
    }
    return true;
}

void AddPresetText(ArtworkSet& set, const std::string& folder, const char* name)
{
    std::vector<uint8_t> bytes;
    if (!folder.empty() && ReadFile(folder + "/" + name, &bytes) && !bytes.empty()) {
        set.AddText(name, std::move(bytes), false);
        return;
    }
    static const char kPlaceholder[] = "PLACEHOLDER\n";
    set.AddText(name, std::vector<uint8_t>(kPlaceholder, kPlaceholder + strlen(kPlaceholder)), true);
}

int Usage()
{
    fprintf(stderr, "usage: velbrin_artwork --presets DIR [--archive FILE] [--manifest FILE] [--contact-sheet DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string presets, archive, manifest, sheets;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return Usage();
        if (arg == "--presets")
            presets = argv[++i];
        else if (arg == "--archive")
            archive = argv[++i];
        else if (arg == "--manifest")
            manifest = argv[++i];
        else if (arg == "--contact-sheet")
            sheets = argv[++i];
        else
            return Usage();
    }
    if (archive.empty() && manifest.empty() && sheets.empty())
        return Usage();

    const std::vector<std::string> unknown = ClassesWithoutRecipe();
    for (const std::string& name : unknown)
        fprintf(stderr, "velbrin_artwork: the layout tables place %s, which has no artwork recipe\n", name.c_str());
    if (!unknown.empty())
        return 1;

    ArtworkSet set;
    AddControlBitmaps(set);
    AddBackdrops(set);
    AddCovers(set);
    AddPresetText(set, presets, "VelbrinCompPresets.csv");
    AddPresetText(set, presets, "VelbrinEQPresets.csv");
    for (const ArtText& t : set.Texts())
        if (t.placeholder)
            fprintf(stderr, "velbrin_artwork: %s not found in %s; packed a placeholder\n", t.name.c_str(),
                    presets.c_str());

    if (!archive.empty()) {
        const std::vector<uint8_t> image = set.BuildArchive();
        if (!WriteFile(archive, image.data(), image.size()))
            return 1;
    }
    if (!manifest.empty()) {
        const std::string text = set.Manifest();
        if (!WriteFile(manifest, text.data(), text.size()))
            return 1;
    }
    if (!sheets.empty() && !WriteContactSheets(set, sheets))
        return 1;
    return 0;
}
