#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;
// Between ".<name>" and "<pid>-<n>" in a temporary file's name.
const char* const kMarker = ".unfinished-save.";

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Puts the names of path in front of rest, in order; a trailing slash adds ".", as the path then
// names a folder.
void PushNames(const std::string& path, std::deque<std::string>& rest)
{
    std::deque<std::string> names;
    for (size_t start = 0; start < path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (!path.empty() && path.back() == '/')
        names.push_back(".");
    rest.insert(rest.begin(), names.begin(), names.end());
}

void Replace(int& fd, int by)
{
    close(fd);
    fd = by;
}

// The process's umask, read without changing it (other threads may be creating files); when it cannot
// be read, the strictest.
mode_t Umask()
{
    mode_t mask = 077;
    FILE* status = fopen("/proc/self/status", "re");
    if (!status)
        return mask;
    char line[256];
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "Umask:", 6) == 0) {
            mask = mode_t(strtoul(line + 6, nullptr, 8)) & 0777;
            break;
        }
    fclose(status);
    return mask;
}

// Whether name in folder is the file open at fd.
bool Names(int folder, const std::string& name, int fd)
{
    struct stat named, open;
    return fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

// Whether a temporary file's name ends in "<pid>-<n>".
bool IsTemporaryEnding(const std::string& ending)
{
    const size_t dash = ending.find_first_not_of("0123456789");
    return dash > 0 && dash != std::string::npos && ending[dash] == '-' && dash + 1 < ending.size() &&
           ending.find_first_not_of("0123456789", dash + 1) == std::string::npos;
}

// Removes the temporary files of name's saves that no writer holds locked: each writer locks its own
// from creation to rename, so one that can be locked was left by a killed save, whatever its number.
void RemoveOrphans(int folder, const std::string& name)
{
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing < 0 ? nullptr : fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            close(listing);
        return;
    }
    const std::string prefix = "." + name + kMarker;
    while (const dirent* entry = readdir(dir)) {
        const std::string file = entry->d_name;
        struct stat info;
        if (file.compare(0, prefix.size(), prefix) != 0 || !IsTemporaryEnding(file.substr(prefix.size())) ||
            fstatat(dirfd(dir), file.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
            continue;
        const int fd = openat(dirfd(dir), file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0 && Names(dirfd(dir), file, fd))
            unlinkat(dirfd(dir), file.c_str(), 0);
        close(fd);
    }
    closedir(dir);
}

// Makes the rename durable; a folder that cannot be synced is not an error of the write.
void SyncFolder(int folder)
{
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : m_path(path), m_target(path) {}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::Fail(const std::string& step)
{
    return Refuse(step, strerror(errno));
}

bool AtomicFile::Refuse(const std::string& step, const std::string& reason)
{
    if (!m_failed)
        m_error = step + ": " + reason;
    m_failed = true;
    return false;
}

void AtomicFile::Discard()
{
    // The name goes before the descriptor: while the lock is held, no clean-up can have taken it.
    if (!m_temporary.empty())
        unlinkat(m_folder, m_temporary.c_str(), 0);
    m_temporary.clear();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    if (m_folder >= 0)
        close(m_folder);
    m_folder = -1;
}

// The path name followed by rest in m_folder, for the user: the path as given until a link is followed.
std::string AtomicFile::Shown(const std::string& name, const std::deque<std::string>& rest) const
{
    if (!m_linked)
        return m_path;
    const int error = errno;
    char buffer[PATH_MAX];
    const std::string self = "/proc/self/fd/" + std::to_string(m_folder);
    const ssize_t n = readlink(self.c_str(), buffer, sizeof buffer);
    errno = error;
    if (n <= 0 || size_t(n) == sizeof buffer)
        return m_path;
    std::string shown(buffer, size_t(n));
    if (shown == "/")
        shown.clear();
    if (!name.empty())
        shown += "/" + name;
    for (const std::string& part : rest)
        shown += "/" + part;
    return shown.empty() ? "/" : shown;
}

// Walks m_path one name at a time, to the folder that holds the target and the target's name there.
// A missing last name is a file to create, so a dangling link leads to the file it names.
bool AtomicFile::Resolve()
{
    std::deque<std::string> rest;
    PushNames(m_path, rest);
    if (rest.empty())
        rest.push_back(".");
    m_folder = open(!m_path.empty() && m_path[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return Fail("cannot create a file in " + FolderOf(m_path));
    for (int links = 0; !rest.empty();) {
        m_name = rest.front();
        rest.pop_front();
        struct stat info;
        const int fd = openat(m_folder, m_name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0 || fstat(fd, &info) != 0) {
            const int error = errno;
            if (fd >= 0)
                close(fd);
            if (error == ENOENT && rest.empty())
                break;
            m_target = Shown(m_name, rest);
            errno = error;
            return Fail("cannot create a file in " + FolderOf(m_target));
        }
        if (S_ISLNK(info.st_mode)) {
            const bool followed = FollowLink(fd, m_name, rest, links);
            close(fd);
            if (!followed)
                return false;
            continue;
        }
        if (!rest.empty() && S_ISDIR(info.st_mode)) {
            Replace(m_folder, fd);
            continue;
        }
        close(fd);
        if (rest.empty())
            break;
        m_target = Shown(m_name, rest);
        errno = ENOTDIR;
        return Fail("cannot create a file in " + FolderOf(m_target));
    }
    m_target = Shown(m_name, rest);
    return true;
}

// Follows the link open at link (O_PATH), named name in m_folder, as the links-th link of the walk:
// its text goes in front of rest.
bool AtomicFile::FollowLink(int link, const std::string& name, std::deque<std::string>& rest, int& links)
{
    m_target = Shown(name, rest);
    if (++links > kMaxLinks) {
        errno = ELOOP;
        return Fail("cannot follow its links");
    }
    struct stat own, folder;
    if (fstat(link, &own) != 0 || fstat(m_folder, &folder) != 0)
        return Fail("cannot follow its links");
    // The kernel's rule for links in shared folders, applied whether the kernel enforces it or not.
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    if (shared && own.st_uid != geteuid() && own.st_uid != folder.st_uid)
        return Refuse("cannot follow its links", "another user's link in a shared folder");
    // And the kernel's own judgement of the same hop, as an open would follow it.
    const int judged = openat(m_folder, name.c_str(), O_PATH | O_CLOEXEC);
    if (judged < 0 && errno != ENOENT)
        return Fail("cannot follow its links");
    if (judged >= 0)
        close(judged);
    char text[PATH_MAX];
    const ssize_t n = readlinkat(link, "", text, sizeof text);
    if (n <= 0 || size_t(n) == sizeof text) {
        errno = n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG;
        return Fail("cannot follow its links");
    }
    if (text[0] == '/') {
        const int root = open("/", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (root < 0)
            return Fail("cannot follow its links");
        Replace(m_folder, root);
    }
    PushNames(std::string(text, size_t(n)), rest);
    m_linked = true;
    return true;
}

// False, the write refused, when the target exists and is not a regular file; mode: the permission
// bits of its replacement.
bool AtomicFile::CheckTarget(mode_t& mode)
{
    struct stat info;
    if (fstatat(m_folder, m_name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        mode = 0666 & ~Umask();
        return errno == ENOENT || Fail("cannot replace the file");
    }
    mode = info.st_mode & 0777;
    if (S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return Fail("cannot replace the file");
    }
    return S_ISREG(info.st_mode) || Refuse("cannot replace the file", "not a regular file");
}

bool AtomicFile::Open()
{
    Discard();
    m_failed = false;
    m_linked = false;
    m_error.clear();
    m_target = m_path;
    mode_t mode;
    if (!Resolve() || !CheckTarget(mode))
        return false;
    RemoveOrphans(m_folder, m_name);
    const std::string stem = "." + m_name + kMarker + std::to_string(getpid()) + "-";
    for (unsigned attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const std::string candidate = stem + std::to_string(attempt);
        const int fd = openat(m_folder, candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST)
            break;
        // A clean-up may take the file between its creation and the lock; then it is another's to remove.
        if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 && Names(m_folder, candidate, fd)) {
            m_fd = fd;
            m_temporary = candidate;
        } else if (fd >= 0) {
            close(fd);
        }
    }
    if (m_fd < 0)
        return Fail("cannot create a file in " + FolderOf(m_target));
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
    mode_t mode;
    if (m_failed || !CheckTarget(mode)) {
        Discard();
        return false;
    }
    // The file stays its owner's alone until its bytes are complete.
    (void)fchmod(m_fd, mode & m_modeLimit);
    if (fsync(m_fd) != 0) {
        Fail("cannot write to the disk");
        Discard();
        return false;
    }
    // Renamed while still open and locked, so no clean-up takes it first.
    if (renameat(m_folder, m_temporary.c_str(), m_folder, m_name.c_str()) != 0) {
        Fail("cannot replace the file");
        Discard();
        return false;
    }
    m_temporary.clear();
    SyncFolder(m_folder);
    Discard();
    return true;
}
