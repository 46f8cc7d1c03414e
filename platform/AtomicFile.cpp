#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Makes the rename durable; a folder that cannot be synced is not an error of the write.
void SyncFolder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : m_target(path)
{
    char resolved[PATH_MAX];
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), resolved))
        m_target = resolved;
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Fail(const char* step)
{
    if (!m_failed)
        m_error = std::string(step) + " " + (m_temporary.empty() ? m_target : m_temporary) + ": " + strerror(errno);
    m_failed = true;
    return false;
}

void AtomicFile::Discard()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        unlink(m_temporary.c_str());
    m_temporary.clear();
}

bool AtomicFile::Open()
{
    Discard();
    m_failed = false;
    m_error.clear();
    const std::string stem = FolderOf(m_target) + "/." + NameOf(m_target) + ".";
    for (unsigned attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::string candidate = stem + std::to_string(getpid()) + "-" + std::to_string(attempt);
        m_fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            m_temporary = candidate;
        else if (errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        return Fail("create");
    struct stat info;
    if (stat(m_target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        fchmod(m_fd, info.st_mode & 07777);
    return true;
}

bool AtomicFile::Write(const void* data, size_t size)
{
    if (m_failed)
        return false;
    if (m_fd < 0) {
        errno = EBADF;
        return Fail("write");
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(m_fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return Fail("write");
        }
        p += n;
        size -= size_t(n);
    }
    return true;
}

bool AtomicFile::Commit()
{
    if (m_fd < 0 && !m_failed) {
        errno = EBADF;
        Fail("commit");
    }
    if (m_failed) {
        Discard();
        return false;
    }
    if (fsync(m_fd) != 0) {
        Fail("sync");
        Discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0) {
        Fail("close");
        Discard();
        return false;
    }
    if (rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        Fail("rename");
        Discard();
        return false;
    }
    m_temporary.clear();
    SyncFolder(FolderOf(m_target));
    return true;
}
