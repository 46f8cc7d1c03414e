#include "platform/wx/SingleInstance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/utils.h>

#include "platform/DebugLog.h"
#include "platform/UserRuntimeFolder.h"

SingleInstance::SingleInstance(const std::string& program)
{
    const std::string folder = UserRuntimeFolder::Locate(program);
    if (folder.empty()) {
        DebugLog("SingleInstance: no folder of this user's own for the lock; other copies are not looked for\n");
        return;
    }
    const std::string path = folder + "/" + program + "-" + std::string(wxGetUserId().utf8_str()) + ".lock";
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        DebugLog("SingleInstance: no lock at %s: %s\n", path.c_str(), fd < 0 ? strerror(errno) : "not a file");
        if (fd >= 0)
            close(fd);
        return;
    }
    int locked;
    do
        locked = flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        m_fd = fd;
        return;
    }
    m_anotherRunning = errno == EWOULDBLOCK;
    if (!m_anotherRunning)
        DebugLog("SingleInstance: cannot lock %s: %s\n", path.c_str(), strerror(errno));
    close(fd);
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        close(m_fd);
}
