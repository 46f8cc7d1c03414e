#pragma once
// Lines over a descriptor (a socket or a pipe) that this object does not own: each line ends with
// '\n', every read has a bound, and a write to a peer that is gone fails instead of raising
// SIGPIPE (on a pipe the process must ignore SIGPIPE itself). Used by one thread at a time.

#include <cstdint>
#include <string>

class LineChannel {
public:
    enum Result { kLine, kEnded, kTimedOut };
    // Longer lines are not from a peer of ours: they end the channel.
    static constexpr size_t kLineLimit = 256;

    explicit LineChannel(int fd = -1) : m_fd(fd) {}
    // Another descriptor (-1: none); what was read and not taken is dropped.
    void Reset(int fd);
    int Fd() const { return m_fd; }

    // Writes text and '\n'. False when it could not be written whole.
    bool WriteLine(const std::string& text);
    // The next line, without its '\n', waiting at most ms: kLine, kEnded (end of input, an error
    // or an overlong line) or kTimedOut.
    Result ReadLine(uint32_t ms, std::string* line);

private:
    int m_fd;
    std::string m_pending;
};
