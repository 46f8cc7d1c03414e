#include "platform/helper/LineChannel.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

void LineChannel::Reset(int fd)
{
    m_fd = fd;
    m_pending.clear();
}

bool LineChannel::WriteLine(const std::string& text)
{
    const std::string line = text + "\n";
    size_t done = 0;
    bool socket = true;
    while (done < line.size()) {
        ssize_t n = socket ? send(m_fd, line.data() + done, line.size() - done, MSG_NOSIGNAL) : -1;
        if (n < 0 && errno == ENOTSOCK) {
            socket = false;
            n = write(m_fd, line.data() + done, line.size() - done);
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

LineChannel::Result LineChannel::ReadLine(uint32_t ms, std::string* line)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            *line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return kLine;
        }
        if (m_pending.size() > kLineLimit || m_fd < 0)
            return kEnded;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return kTimedOut;
        pollfd p = {m_fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(left.count()));
        if (ready < 0 && errno != EINTR)
            return kEnded;
        if (ready <= 0)
            continue;
        char buffer[512];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return kEnded;
        m_pending.append(buffer, size_t(n));
    }
}
