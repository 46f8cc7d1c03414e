#include "PAL/ResourceLocator.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

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
    places.push_back(std::string("/usr/share/velbrincontrol/") + kArchiveName);
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        places.push_back((executable.parent_path() / kArchiveName).string());
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

size_t OpenProjectResources()
{
    const char* fromEnvironment = std::getenv("VELBRIN_RESOURCES");
    for (const std::string& place : ResourceLocator::Candidates()) {
        const bool named = fromEnvironment && place == fromEnvironment;
        std::error_code error;
        if (!std::filesystem::is_regular_file(place, error)) {
            if (named)
                fprintf(stderr, "VELBRIN_RESOURCES names no resource archive: %s\n", place.c_str());
            continue;
        }
        const size_t usable = ResourceArchive::Global().Load(place.c_str());
        if (usable > 0)
            return usable;
        if (named)
            fprintf(stderr, "VELBRIN_RESOURCES names an archive that cannot be read or holds nothing usable: %s\n",
                    place.c_str());
        else
            DebugLog("OpenProjectResources: %s holds no usable resource\n", place.c_str());
    }
    DebugLog("OpenProjectResources: no usable %s found\n", kArchiveName);
    ResourceArchive::Global().Clear();
    return 0;
}
