#include "platform/UserRuntimeFolder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/UserConfigFolder.h"

namespace {

// A folder of this user that no one else may write into; closed to everyone else when closed is set.
bool OwnFolder(const std::string& path, bool closed)
{
    struct stat info;
    return !path.empty() && path[0] == '/' && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid() && (info.st_mode & (closed ? 077 : 022)) == 0;
}

}  // namespace

std::string UserRuntimeFolder::Locate(const std::string& programName)
{
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"))
        folder = runtime;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (OwnFolder(folder, true))
        return folder;
    folder = UserConfigFolder::Path(programName);
    return OwnFolder(folder, false) ? folder : std::string();
}
