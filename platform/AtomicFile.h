#pragma once
// Replaces a file as a whole or not at all: the bytes go to a temporary file in the target's folder,
// ".<name>.unfinished-save.<pid>-<n>", created readable by its owner only and locked (flock) by its
// writer until it is renamed. Commit flushes it to the disk, gives it the permission bits (0777) of the
// file it replaces, or 0666 less the umask for a new file, and renames it over the target. Until Commit
// succeeds the target is untouched; a file that is not committed is removed when the object goes, and
// Open removes the temporary files of the same target that no writer holds locked (left by a process
// killed in the middle of a save).
// The target's path is walked one name at a time through descriptors. A symbolic link is followed,
// dangling or not, so the link stays and the file it names is replaced or created; the kernel judges
// each link as it would in an open, and another user's link in a world-writable sticky folder (unless
// it is the folder owner's) is refused even where the kernel does not protect such links. A target that
// exists and is not a regular file is refused and left as it is. Not thread-safe; one object per write.

#include <cstddef>
#include <deque>
#include <string>
#include <sys/types.h>

class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Finds the target and creates the temporary file; false when either fails or the target is refused.
    bool Open();
    // Appends size bytes; false on any failure (the commit then fails too).
    bool Write(const void* data, size_t size);
    // Syncs the temporary file and renames it over the target; false when any step failed, and the
    // target is then as it was.
    bool Commit();
    // The written file's permission bits never exceed bits (a copy of a private file stays private).
    void LimitMode(mode_t bits) { m_modeLimit = bits & 0777; }
    // What failed, for the user: the step and the reason ("cannot replace the file: not a regular
    // file"); empty while nothing failed. The file is Target().
    const std::string& Error() const { return m_error; }
    // The file that will be replaced: the path as given, or, once Open has followed a link, the file
    // the links name (or the link that was refused).
    const std::string& Target() const { return m_target; }

private:
    bool Resolve();
    bool FollowLink(int link, const std::string& name, std::deque<std::string>& rest, int& links);
    bool CheckTarget(mode_t& mode);
    std::string Shown(const std::string& name, const std::deque<std::string>& rest) const;
    bool Fail(const std::string& step);
    bool Refuse(const std::string& step, const std::string& reason);
    void Discard();

    std::string m_path;
    std::string m_target;
    std::string m_name;       // the target's name in m_folder
    std::string m_temporary;  // the temporary file's name in m_folder
    std::string m_error;
    int m_folder = -1;  // the target's folder (O_PATH) from Open to the end of the write
    int m_fd = -1;
    bool m_linked = false;  // Open followed a link
    bool m_failed = false;
    mode_t m_modeLimit = 0777;
};
