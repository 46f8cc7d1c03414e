#pragma once
// A file that a second launch of the program names, handed to the copy already running for the same
// user (what a file manager's "Open with" does while the program runs).
//
// The running copy listens on a Unix socket in a folder only its user can enter: $XDG_RUNTIME_DIR when
// it is the user's own and closed to others, else the user's configuration folder. Both ends check the
// other end's user (SO_PEERCRED): the listener refuses a request of any other user, and a sender hands
// nothing to a listener of another user. One request per connection: the absolute path (at most
// kMaxPath bytes) and the launch's startup id (at most kMaxStartupId printable ASCII characters, may be
// empty), each ended by a NUL; answered with one byte, 'Y' taken or 'N' refused. A request of the path
// alone is taken too, when its sender stops writing or at the connection's deadline.
//
// The listener runs on the GUI thread, from the GLib main context the toolkit's event loop runs, and
// never waits there: each connection is read as its bytes come, from a source of its own, and is
// refused once it has been open kReadTimeoutMs. At most kMaxConnections are open at once; any beyond
// are refused at once.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class OpenRequestChannel {
public:
    static constexpr size_t kMaxPath = 4096;
    static constexpr size_t kMaxStartupId = 1024;
    static constexpr int kReadTimeoutMs = 250;
    static constexpr size_t kMaxConnections = 16;

    struct Request {
        std::string path;
        // What the launcher gave the second launch to end its startup notification and let the running
        // copy's window come to the front (an X11 startup id or a Wayland activation token); empty if none.
        std::string startupId;
    };
    // GUI thread. True when the request is taken; false refuses it.
    using Handler = std::function<bool(const Request&)>;

    enum class SendResult {
        Taken,       // the running copy took the file
        NoListener,  // no copy listened within the time
        Refused,     // the listener refused it, did not answer in time, or runs as another user
    };

    // The socket of program for this user; empty when no folder fits or the path is too long for a
    // socket address.
    static std::string SocketPath(const std::string& program);

    // Listens at socketPath and calls onRequest with each request a process of acceptedUid sends (with
    // none, every request is taken). A socket left at socketPath by a copy that ended is replaced: the
    // caller holds the single-instance lock. IsListening() tells whether it could listen.
    OpenRequestChannel(const std::string& socketPath, Handler onRequest, uid_t acceptedUid = getuid());
    // Stops listening, drops the open connections and removes its socket.
    ~OpenRequestChannel();
    OpenRequestChannel(const OpenRequestChannel&) = delete;
    OpenRequestChannel& operator=(const OpenRequestChannel&) = delete;

    bool IsListening() const { return m_fd >= 0; }

    // Hands path (absolute) and startupId to the copy listening at socketPath, which must run as
    // expectedUid; an id too long or with other than printable ASCII is left out. Waits at most waitMs in
    // all: for a copy that is still starting to listen, and for its answer. Any thread.
    static SendResult Send(const std::string& socketPath, const std::string& path, const std::string& startupId,
                           int waitMs, uid_t expectedUid = getuid());

private:
    struct Connection;
    friend struct OpenRequestSource;

    // Takes the waiting connections, at most kMaxConnections per call.
    void Accept();
    // Reads what arrived on connection; answers and drops it once its request is complete, malformed,
    // or past its deadline.
    void Serve(Connection& connection, bool deadlinePassed);
    void Drop(Connection& connection);

    std::string m_path;
    Handler m_onRequest;
    uid_t m_acceptedUid;
    int m_fd = -1;
    unsigned m_source = 0;
    std::vector<std::unique_ptr<Connection>> m_connections;
    // The socket file this listener made, so that only it is removed.
    dev_t m_device = 0;
    ino_t m_inode = 0;
};
