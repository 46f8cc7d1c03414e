#include "platform/UserConfigFolder.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string HomeFolder()
{
    const char* home = getenv("HOME");
    if (home && home[0] == '/')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir && entry->pw_dir[0] == '/' ? entry->pw_dir : "";
}

// Creates every missing folder along path; true when path is a folder afterwards.
bool MakeFolders(const std::string& path)
{
    struct stat info;
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (stat(part.c_str(), &info) != 0 && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string UserConfigFolder::Path(const std::string& programName)
{
    std::string base;
    const char* xdg = getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        base = xdg;
    else if (std::string home = HomeFolder(); !home.empty())
        base = home + "/.config";
    else
        return {};
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::string folder = (base == "/" ? "" : base) + "/" + programName;
    return MakeFolders(folder) ? folder : std::string();
}
