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

bool ValidStartupId(const std::string& id)
{
    if (id.size() > OpenRequestChannel::kMaxStartupId)
        return false;
    for (const char c : id)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

constexpr size_t kMaxRequest = OpenRequestChannel::kMaxPath + 1 + OpenRequestChannel::kMaxStartupId + 1;

enum class Parsed { Incomplete, Complete, Malformed };

// The request in data; ended when no more bytes will come (the sender stopped writing, or the
// connection's time is up), which completes a request of the path alone.
Parsed Parse(const std::string& data, bool ended, OpenRequestChannel::Request& request)
{
    const size_t pathEnd = data.find('\0');
    if (pathEnd == std::string::npos)
        return ended || data.size() > OpenRequestChannel::kMaxPath ? Parsed::Malformed : Parsed::Incomplete;
    if (pathEnd == 0 || pathEnd > OpenRequestChannel::kMaxPath || data[0] != '/')
        return Parsed::Malformed;
    const size_t idEnd = data.find('\0', pathEnd + 1);
    if (idEnd == std::string::npos) {
        const size_t idSoFar = data.size() - pathEnd - 1;
        if (idSoFar > OpenRequestChannel::kMaxStartupId || (ended && idSoFar > 0))
            return Parsed::Malformed;
        if (!ended)
            return Parsed::Incomplete;
        request = {data.substr(0, pathEnd), std::string()};
        return Parsed::Complete;
    }
    request = {data.substr(0, pathEnd), data.substr(pathEnd + 1, idEnd - pathEnd - 1)};
    return idEnd + 1 == data.size() && ValidStartupId(request.startupId) ? Parsed::Complete : Parsed::Malformed;
}

}  // namespace

struct OpenRequestChannel::Connection {
    Connection(OpenRequestChannel& channel, int fd) : channel(channel), fd(fd) {}
    ~Connection()
    {
        if (source) {
            g_source_destroy(source);
            g_source_unref(source);
        }
        close(fd);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    OpenRequestChannel& channel;
    const int fd;
    GSource* source = nullptr;
    gint64 deadline = g_get_monotonic_time() + gint64(kReadTimeoutMs) * 1000;  // main-context time
    std::string data;
};

struct OpenRequestSource {
    static gboolean OnConnection(gint, GIOCondition, gpointer self)
    {
        static_cast<OpenRequestChannel*>(self)->Accept();
        return G_SOURCE_CONTINUE;
    }
    // Readable, closed, or past the connection's deadline (the source's ready time).
    static gboolean OnConnectionReady(gint, GIOCondition, gpointer data)
    {
        auto* connection = static_cast<OpenRequestChannel::Connection*>(data);
        connection->channel.Serve(*connection, g_get_monotonic_time() >= connection->deadline);
        return G_SOURCE_CONTINUE;  // a connection that is done has destroyed its source already
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

OpenRequestChannel::OpenRequestChannel(const std::string& socketPath, Handler onRequest, uid_t acceptedUid)
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
    if (!bound || chmod(m_path.c_str(), 0600) != 0 || listen(fd, int(kMaxConnections)) != 0 ||
        lstat(m_path.c_str(), &info) != 0) {
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
    m_connections.clear();
    if (m_fd < 0)
        return;
    if (m_source)
        g_source_remove(m_source);
    close(m_fd);
    struct stat info;
    if (lstat(m_path.c_str(), &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode)
        unlink(m_path.c_str());
}

void OpenRequestChannel::Accept()
{
    for (size_t taken = 0; taken < kMaxConnections; ++taken) {
        const int client = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        uid_t uid = 0;
        if (!PeerUid(client, uid) || uid != m_acceptedUid || m_connections.size() >= kMaxConnections) {
            DebugLog("OpenRequestChannel: a connection of user %u refused (%zu open)\n", unsigned(uid),
                     m_connections.size());
            Answer(client, kRefused);
            close(client);
            continue;
        }
        m_connections.push_back(std::make_unique<Connection>(*this, client));
        Connection& connection = *m_connections.back();
        connection.source = g_unix_fd_source_new(client, G_IO_IN);
        g_source_set_ready_time(connection.source, connection.deadline);
        g_source_set_callback(connection.source, G_SOURCE_FUNC(OpenRequestSource::OnConnectionReady),
                              &connection, nullptr);
        g_source_attach(connection.source, nullptr);
        // A sender writes its request as it connects: it is often there already.
        Serve(connection, false);
    }
}

void OpenRequestChannel::Serve(Connection& connection, bool deadlinePassed)
{
    bool ended = deadlinePassed;
    char chunk[1024];
    while (connection.data.size() <= kMaxRequest) {
        const size_t room = kMaxRequest + 1 - connection.data.size();
        const ssize_t got = recv(connection.fd, chunk, room < sizeof chunk ? room : sizeof chunk, MSG_DONTWAIT);
        if (got > 0) {
            connection.data.append(chunk, size_t(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            ended = true;
        break;
    }
    Request request;
    const Parsed parsed = Parse(connection.data, ended, request);
    if (parsed == Parsed::Incomplete)
        return;
    bool taken = false;
    if (parsed == Parsed::Malformed)
        DebugLog("OpenRequestChannel: an incomplete or malformed request refused\n");
    else
        taken = !m_onRequest || m_onRequest(request);
    Answer(connection.fd, taken ? kTaken : kRefused);
    Drop(connection);
}

void OpenRequestChannel::Drop(Connection& connection)
{
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it)
        if (it->get() == &connection) {
            m_connections.erase(it);
            return;
        }
}

OpenRequestChannel::SendResult OpenRequestChannel::Send(const std::string& socketPath, const std::string& path,
                                                        const std::string& startupId, int waitMs, uid_t expectedUid)
{
    sockaddr_un address;
    if (!MakeAddress(socketPath, address))
        return SendResult::NoListener;
    if (path.empty() || path[0] != '/' || path.size() > kMaxPath || path.find('\0') != std::string::npos)
        return SendResult::Refused;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    int fd = -1;
    for (;;) {
        // Non-blocking: a listener whose queue of connections is full makes connect fail (EAGAIN) instead
        // of waiting past the deadline.
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return SendResult::NoListener;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        const int error = errno;
        close(fd);
        // A copy that holds the lock but is still starting may not listen yet.
        if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN && error != EINTR) || Left(deadline) == 0)
            return SendResult::NoListener;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    uid_t uid = 0;
    if (!PeerUid(fd, uid) || uid != expectedUid) {
        close(fd);
        return SendResult::Refused;
    }
    const std::string request = path + '\0' + (ValidStartupId(startupId) ? startupId : std::string()) + '\0';
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
