#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;

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

// The path a chain of symbolic links ends at, whether a file is there or not; a relative link is taken
// from its own folder. error: ELOOP after too many links, else 0.
std::string FollowLinks(const std::string& path, int& error)
{
    std::string current = path;
    error = 0;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char buffer[PATH_MAX];
        const ssize_t n = readlink(current.c_str(), buffer, sizeof buffer - 1);
        if (n <= 0)
            return current;
        const std::string next(buffer, size_t(n));
        current = next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    error = ELOOP;
    return path;
}

// The process that owns a temporary file name's "<pid>-<n>" ending; 0 when it is not of that form.
pid_t OwnerOf(const std::string& ending)
{
    const size_t dash = ending.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == ending.size() || dash > 9)
        return 0;
    for (size_t i = 0; i < ending.size(); ++i)
        if (i != dash && (ending[i] < '0' || ending[i] > '9'))
            return 0;
    return pid_t(atol(ending.substr(0, dash).c_str()));
}

// Removes the regular files ".<name>.<pid>-<n>" in folder whose process is gone.
void RemoveOrphans(const std::string& folder, const std::string& name)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    const std::string prefix = "." + name + ".";
    while (const dirent* entry = readdir(dir)) {
        const std::string file = entry->d_name;
        if (file.compare(0, prefix.size(), prefix) != 0)
            continue;
        const pid_t owner = OwnerOf(file.substr(prefix.size()));
        if (owner <= 0 || owner == getpid() || kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat info;
        if (fstatat(dirfd(dir), file.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            unlinkat(dirfd(dir), file.c_str(), 0);
    }
    closedir(dir);
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

AtomicFile::AtomicFile(const std::string& path)
{
    m_target = FollowLinks(path, m_linkError);
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Fail(const std::string& step)
{
    if (!m_failed)
        m_error = step + ": " + strerror(errno);
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
    if (m_linkError) {
        errno = m_linkError;
        return Fail("cannot follow its links");
    }
    const std::string folder = FolderOf(m_target);
    RemoveOrphans(folder, NameOf(m_target));
    const std::string stem = folder + "/." + NameOf(m_target) + ".";
    for (unsigned attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::string candidate = stem + std::to_string(getpid()) + "-" + std::to_string(attempt);
        m_fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            m_temporary = candidate;
        else if (errno != EEXIST)
            break;
    }
    if (m_fd < 0)
        return Fail("cannot create a file in " + folder);
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
        return Fail("cannot write");
    }
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(m_fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return Fail("cannot write");
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
        Fail("cannot write");
    }
    if (m_failed) {
        Discard();
        return false;
    }
    if (fsync(m_fd) != 0) {
        Fail("cannot write to the disk");
        Discard();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0) {
        Fail("cannot write to the disk");
        Discard();
        return false;
    }
    if (rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        Fail("cannot replace the file");
        Discard();
        return false;
    }
    m_temporary.clear();
    SyncFolder(FolderOf(m_target));
    return true;
}
