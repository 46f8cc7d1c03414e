// window_previews: each window of the layout tables as its controls draw it over the built artwork,
// in two demonstration states (see WindowPreview.h), for the contact sheets.
//
//   window_previews --archive FILE --out DIR
//
// Writes preview-<Name>.png and preview-<Name>-alt.png into DIR (created when missing), at twice the
// window's size.

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "PAL/LayoutTables.h"
#include "PAL/ResourceArchive.h"
#include "tools/previews/PngFile.h"
#include "tools/previews/PreviewWindow.h"
#include "tools/previews/WindowPreview.h"

namespace {

constexpr int kZoom = 2;

int Usage()
{
    fprintf(stderr, "usage: window_previews --archive FILE --out DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string archive, folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--archive")
            archive = argv[i + 1];
        else if (arg == "--out")
            folder = argv[i + 1];
        else
            return Usage();
    }
    if (archive.empty() || folder.empty() || argc % 2 == 0)
        return Usage();
    if (ResourceArchive::Global().Load(archive.c_str()) == 0) {
        fprintf(stderr, "window_previews: no usable resource archive in %s\n", archive.c_str());
        return 1;
    }
    mkdir(folder.c_str(), 0755);
    bool ok = true;
    for (int32_t w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& table = GetLayoutTable(LayoutWindow(w));
        for (bool otherState : {false, true}) {
            PreviewWindow window(table.width, table.height);
            DrawWindowPreview(LayoutWindow(w), otherState, window);
            const std::string path = folder + "/preview-" + table.name + (otherState ? "-alt" : "") + ".png";
            ok = WriteZoomedPng(window.GetPixels(), kZoom, path) && ok;
        }
    }
    return ok ? 0 : 1;
}
