#pragma once
// Replaces a file as a whole or not at all: the bytes go to a temporary file in the target's folder,
// ".<name>.<pid>-<n>", which is flushed to the disk and then renamed over the target. Until Commit
// succeeds the target is untouched; a file that is not committed is removed when the object goes, and
// Open removes the temporary files of the same target that no living process owns (left by a process
// killed in the middle of a save). A symbolic link as target is followed, dangling or not, so the link
// stays and the file it names is replaced or created. A replaced file keeps its permission bits; a new
// one gets 0666 less the umask. Not thread-safe; one object per write.

#include <cstddef>
#include <string>

class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open();
    // Appends size bytes; false on any failure (the commit then fails too).
    bool Write(const void* data, size_t size);
    // Syncs and closes the temporary file and renames it over the target; false when any step failed,
    // and the target is then as it was.
    bool Commit();
    // What failed, for the user: the step and the system's reason ("cannot replace the file: Is a
    // directory"); empty while nothing failed. The file is Target ().
    const std::string& Error() const { return m_error; }
    // The file that will be replaced (the target, or what its links name).
    const std::string& Target() const { return m_target; }

private:
    bool Fail(const std::string& step);
    void Discard();

    std::string m_target;
    std::string m_temporary;
    std::string m_error;
    int m_fd = -1;
    int m_linkError = 0;  // errno of following the target's links
    bool m_failed = false;
};
