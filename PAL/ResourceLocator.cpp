#include "PAL/ResourceLocator.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "PAL/LayoutTables.h"
#include "PAL/ResourceArchive.h"
#include "platform/DebugLog.h"

namespace {
const char kArchiveName[] = "ProjectResources.res";
}  // namespace

std::vector<std::string> ResourceLocator::Candidates()
{
    namespace fs = std::filesystem;
    std::vector<std::string> places;
    const char* fromEnvironment = std::getenv("VELBRIN_RESOURCES");
    if (fromEnvironment && *fromEnvironment)
        places.push_back(fromEnvironment);
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path folder = executable.parent_path();
        places.push_back((folder / VELBRIN_SHARE_FROM_BIN / kArchiveName).lexically_normal().string());
        places.push_back((folder / kArchiveName).string());
    }
    places.push_back(std::string(VELBRIN_BUILD_DIR "/resources/") + kArchiveName);
    return places;
}

std::string ResourceLocator::Find()
{
    const char* fromEnvironment = std::getenv("VELBRIN_RESOURCES");
    for (const std::string& place : Candidates()) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place, error))
            return place;
        if (fromEnvironment && place == fromEnvironment)
            DebugLog("ResourceLocator: VELBRIN_RESOURCES names no file: %s\n", fromEnvironment);
    }
    return std::string();
}

namespace {

// The window backdrops the archive lacks, named up to three; empty when it has them all.
std::string MissingBackdrops(const ResourceArchive& archive)
{
    std::vector<const char*> backdrops;
    for (int32_t window = 0; window < kLayoutWindowCount; ++window)
        backdrops.push_back(GetLayoutTable(LayoutWindow(window)).backdrop);
    const std::vector<std::string> missing = archive.Missing(backdrops);
    if (missing.empty())
        return std::string();
    std::string text = "it lacks " + std::to_string(missing.size()) + " of the " + std::to_string(backdrops.size()) +
                       " window backdrops (";
    for (size_t i = 0; i < missing.size() && i < 3; ++i)
        text += (i ? ", " : "") + missing[i];
    return text + (missing.size() > 3 ? ", ...)" : ")");
}

}  // namespace

size_t OpenProjectResources(std::string* report)
{
    const char* fromEnvironment = std::getenv("VELBRIN_RESOURCES");
    std::string passedOver;  // one line per archive that could not be used
    std::string lookedAt;    // one line per place, for when none is usable
    size_t usable = 0;
    for (const std::string& place : ResourceLocator::Candidates()) {
        const bool named = fromEnvironment && place == fromEnvironment;
        std::error_code error;
        if (!std::filesystem::is_regular_file(place, error)) {
            lookedAt += "  " + place + ": not found\n";
            if (named)
                passedOver += "VELBRIN_RESOURCES names " + place + ", which is not a file.\n";
            continue;
        }
        usable = ResourceArchive::Global().Load(place.c_str());
        const std::string problem = ResourceArchive::Global().Problem();
        if (usable == 0) {
            lookedAt += "  " + place + ": " + (problem.empty() ? "holds nothing usable" : problem) + "\n";
            passedOver += "The resource archive " + place + " cannot be used: it " +
                          (problem.empty() ? "holds nothing usable" : problem) + ".\n";
            continue;
        }
        std::string damage = problem.empty() ? "" : "it " + problem;
        if (const std::string lacks = MissingBackdrops(ResourceArchive::Global()); !lacks.empty())
            damage += (damage.empty() ? "" : "; ") + lacks;
        std::string text;
        if (!damage.empty())
            text = passedOver + "The resource archive " + place + " is damaged: " + damage +
                   ".\nControls whose pictures are missing are drawn without them.\n";
        else if (!passedOver.empty())
            text = passedOver + "The resource archive " + place + " is used instead.\n";
        if (report)
            *report = text;
        else if (!text.empty())
            fputs(text.c_str(), stderr);
        return usable;
    }
    DebugLog("OpenProjectResources: no usable %s found\n", kArchiveName);
    ResourceArchive::Global().Clear();
    const std::string text = std::string("No usable resource archive (") + kArchiveName +
                             ") was found, so the windows are drawn without their pictures. Places looked at:\n" +
                             lookedAt;
    if (report)
        *report = text;
    else
        fputs(text.c_str(), stderr);
    return 0;
}
