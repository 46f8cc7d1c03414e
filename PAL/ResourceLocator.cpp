#include "PAL/ResourceLocator.h"

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
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        places.push_back((executable.parent_path() / kArchiveName).string());
    places.push_back(std::string("/usr/share/velbrincontrol/") + kArchiveName);
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
    const std::string path = ResourceLocator::Find();
    if (path.empty()) {
        DebugLog("OpenProjectResources: no %s found\n", kArchiveName);
        ResourceArchive::Global().Clear();
        return 0;
    }
    const size_t usable = ResourceArchive::Global().Load(path.c_str());
    if (usable == 0)
        DebugLog("OpenProjectResources: %s holds no usable resource\n", path.c_str());
    return usable;
}
