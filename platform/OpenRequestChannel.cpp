#include "platform/OpenRequestChannel.h"

#include <glib-unix.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/DebugLog.h"
#include "platform/UserRuntimeFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kTaken = 'Y';
constexpr char kRefused = 'N';

bool MakeAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// Milliseconds left until deadline, 0 when it has passed.
int Left(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

// The user id of the process at the other end of a connected socket; false when it cannot be told.
bool PeerUid(int fd, uid_t& uid)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof credentials)
        return false;
    uid = credentials.uid;
    return true;
}

// Waits until fd is readable or the deadline passes.
bool WaitReadable(int fd, Clock::time_point deadline)
{
    pollfd entry{fd, POLLIN, 0};
    int ready;
    do
        ready = poll(&entry, 1, Left(deadline));
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

void Answer(int fd, char answer)
{
    (void)!send(fd, &answer, 1, MSG_NOSIGNAL);
}

}  // namespace

struct OpenRequestSource {
    static gboolean OnConnection(gint, GIOCondition, gpointer self)
    {
        static_cast<OpenRequestChannel*>(self)->AcceptAll();
        return G_SOURCE_CONTINUE;
    }
};

std::string OpenRequestChannel::SocketPath(const std::string& program)
{
    const std::string folder = UserRuntimeFolder::Locate(program);
    if (folder.empty())
        return std::string();
    const std::string name = "/" + program + ".socket";
    sockaddr_un address;
    return MakeAddress(folder + name, address) ? folder + name : std::string();
}

OpenRequestChannel::OpenRequestChannel(const std::string& socketPath,
                                       std::function<void(const std::string&)> onRequest, uid_t acceptedUid)
    : m_path(socketPath), m_onRequest(std::move(onRequest)), m_acceptedUid(acceptedUid)
{
    sockaddr_un address;
    if (!MakeAddress(m_path, address)) {
        DebugLog("OpenRequestChannel: no socket path, open requests of other launches are not taken\n");
        return;
    }
    struct stat info;
    if (lstat(m_path.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            DebugLog("OpenRequestChannel: %s is not a socket, not replaced\n", m_path.c_str());
            return;
        }
        unlink(m_path.c_str());
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // Only this user may connect (the folder is the user's own, and the peer's user is checked all the
    // same).
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (!bound || chmod(m_path.c_str(), 0600) != 0 || listen(fd, 8) != 0 || lstat(m_path.c_str(), &info) != 0) {
        DebugLog("OpenRequestChannel: cannot listen at %s: %s\n", m_path.c_str(), std::strerror(errno));
        if (bound)
            unlink(m_path.c_str());
        close(fd);
        return;
    }
    m_device = info.st_dev;
    m_inode = info.st_ino;
    m_fd = fd;
    m_source = g_unix_fd_add(m_fd, G_IO_IN, OpenRequestSource::OnConnection, this);
}

OpenRequestChannel::~OpenRequestChannel()
{
    if (m_fd < 0)
        return;
    if (m_source)
        g_source_remove(m_source);
    close(m_fd);
    struct stat info;
    if (lstat(m_path.c_str(), &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode)
        unlink(m_path.c_str());
}

void OpenRequestChannel::AcceptAll()
{
    for (;;) {
        const int client = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        Serve(client);
        close(client);
    }
}

void OpenRequestChannel::Serve(int client)
{
    uid_t uid = 0;
    if (!PeerUid(client, uid) || uid != m_acceptedUid) {
        DebugLog("OpenRequestChannel: a request of user %u refused\n", unsigned(uid));
        Answer(client, kRefused);
        return;
    }
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kReadTimeoutMs);
    std::string request;
    char chunk[1024];
    while (request.find('\0') == std::string::npos && request.size() <= kMaxPath) {
        if (!WaitReadable(client, deadline))
            break;
        const ssize_t got = recv(client, chunk, sizeof chunk, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got <= 0)
            break;
        request.append(chunk, size_t(got));
    }
    const size_t end = request.find('\0');
    if (end == std::string::npos || end == 0 || end > kMaxPath || request[0] != '/') {
        DebugLog("OpenRequestChannel: an incomplete or malformed request refused\n");
        Answer(client, kRefused);
        return;
    }
    Answer(client, kTaken);
    if (m_onRequest)
        m_onRequest(request.substr(0, end));
}

OpenRequestChannel::SendResult OpenRequestChannel::Send(const std::string& socketPath, const std::string& path,
                                                        int waitMs, uid_t expectedUid)
{
    sockaddr_un address;
    if (!MakeAddress(socketPath, address))
        return SendResult::NoListener;
    if (path.empty() || path[0] != '/' || path.size() > kMaxPath || path.find('\0') != std::string::npos)
        return SendResult::Refused;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    int fd = -1;
    for (;;) {
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return SendResult::NoListener;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        const int error = errno;
        close(fd);
        // A copy that holds the lock but is still starting may not listen yet.
        if ((error != ENOENT && error != ECONNREFUSED && error != EINTR) || Left(deadline) == 0)
            return SendResult::NoListener;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    uid_t uid = 0;
    if (!PeerUid(fd, uid) || uid != expectedUid) {
        close(fd);
        return SendResult::Refused;
    }
    const std::string request = path + '\0';
    size_t sent = 0;
    while (sent < request.size() && Left(deadline) > 0) {
        pollfd entry{fd, POLLOUT, 0};
        if (poll(&entry, 1, Left(deadline)) <= 0)
            continue;
        const ssize_t done = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (done < 0 && errno != EINTR && errno != EAGAIN)
            break;
        if (done > 0)
            sent += size_t(done);
    }
    char answer = kRefused;
    const bool answered = sent == request.size() && WaitReadable(fd, deadline) && recv(fd, &answer, 1, 0) == 1;
    close(fd);
    return answered && answer == kTaken ? SendResult::Taken : SendResult::Refused;
}
