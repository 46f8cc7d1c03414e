#pragma once
// A file that a second launch of the program names, handed to the copy already running for the same
// user (what a file manager's "Open with" does while the program runs).
//
// The running copy listens on a Unix socket in a folder only its user can enter: $XDG_RUNTIME_DIR when
// it is the user's own and closed to others, else the user's configuration folder. Both ends check the
// other end's user (SO_PEERCRED): the listener refuses a request of any other user, and a sender hands
// nothing to a listener of another user. One request per connection: the absolute path ended by a NUL
// (at most kMaxPath bytes), answered with one byte, 'Y' taken or 'N' refused.
//
// The listener runs on the GUI thread, from the GLib main context the toolkit's event loop runs. It
// waits at most kReadTimeoutMs for a request, so a sender that stalls cannot hold the windows up longer.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <functional>
#include <string>

class OpenRequestChannel {
public:
    static constexpr size_t kMaxPath = 4096;
    static constexpr int kReadTimeoutMs = 250;

    enum class SendResult {
        Taken,       // the running copy took the file
        NoListener,  // no copy listened within the time
        Refused,     // the listener refused it, did not answer in time, or runs as another user
    };

    // The socket of program for this user; empty when no folder fits or the path is too long for a
    // socket address.
    static std::string SocketPath(const std::string& program);

    // Listens at socketPath and calls onRequest with each path a process of acceptedUid sends. A socket
    // left at socketPath by a copy that ended is replaced: the caller holds the single-instance lock.
    // IsListening() tells whether it could listen.
    OpenRequestChannel(const std::string& socketPath, std::function<void(const std::string&)> onRequest,
                       uid_t acceptedUid = getuid());
    // Stops listening and removes its socket.
    ~OpenRequestChannel();
    OpenRequestChannel(const OpenRequestChannel&) = delete;
    OpenRequestChannel& operator=(const OpenRequestChannel&) = delete;

    bool IsListening() const { return m_fd >= 0; }

    // Hands path (absolute) to the copy listening at socketPath, which must run as expectedUid. Waits at
    // most waitMs in all: for a copy that is still starting to listen, and for its answer. Any thread.
    static SendResult Send(const std::string& socketPath, const std::string& path, int waitMs,
                           uid_t expectedUid = getuid());

private:
    friend struct OpenRequestSource;
    // Takes every waiting connection.
    void AcceptAll();
    // Reads, checks and answers the request on one accepted connection.
    void Serve(int client);

    std::string m_path;
    std::function<void(const std::string&)> m_onRequest;
    uid_t m_acceptedUid;
    int m_fd = -1;
    unsigned m_source = 0;
    // The socket file this listener made, so that only it is removed.
    dev_t m_device = 0;
    ino_t m_inode = 0;
};
