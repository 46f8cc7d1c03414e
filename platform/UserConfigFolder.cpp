#include "platform/UserConfigFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

}  // namespace

std::string UserConfigFolder::Locate(const std::string& programName)
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
    return (base == "/" ? "" : base) + "/" + programName;
}

bool UserConfigFolder::Create(const std::string& folder, std::string& error)
{
    struct stat info;
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (stat(part.c_str(), &info) != 0 && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = "cannot create the folder " + part + ": " + strerror(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = folder + " is not a folder";
        return false;
    }
    return true;
}

std::string UserConfigFolder::Path(const std::string& programName)
{
    const std::string folder = Locate(programName);
    std::string error;
    return !folder.empty() && Create(folder, error) ? folder : std::string();
}
