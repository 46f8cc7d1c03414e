// A second launch hands its file to the running copy of the same user through the channel; requests of
// another user, to a listener of another user, or that are not absolute paths are refused.
#include <gtest/gtest.h>

#include <glib.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

#include "platform/OpenRequestChannel.h"
#include "support/TempFolder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Request = OpenRequestChannel::Request;
using Result = OpenRequestChannel::SendResult;

// Runs send on a thread of its own while this thread runs the GLib main context, as the GUI thread does.
template <typename Send>
auto WhileListening(Send send) -> decltype(send())
{
    std::atomic<bool> done{false};
    decltype(send()) result{};
    std::thread sender([&] {
        result = send();
        done = true;
    });
    const auto until = Clock::now() + 5s;
    while (!done && Clock::now() < until)
        g_main_context_iteration(nullptr, FALSE);
    sender.join();
    return result;
}

Result SendWhileListening(const std::string& socket, const std::string& path, const std::string& startupId = "",
                          uid_t expectedUid = getuid())
{
    return WhileListening([&] { return OpenRequestChannel::Send(socket, path, startupId, 3000, expectedUid); });
}

// A connection to socket; -1 when it cannot be made (at once when nonBlocking).
int Connect(const std::string& socket, bool nonBlocking = false)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Writes bytes as they are and returns the listener's answer ('\0' when none came).
char SendBytes(const std::string& socket, const std::string& bytes)
{
    const int fd = Connect(socket);
    char answer = '\0';
    pollfd entry{fd, POLLIN, 0};
    if (fd >= 0 && send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size()) &&
        poll(&entry, 1, 3000) == 1 && recv(fd, &answer, 1, 0) != 1)
        answer = '\0';
    if (fd >= 0)
        close(fd);
    return answer;
}

// Sets an environment variable (null: unsets it) while the object lives.
struct ScopedVariable {
    ScopedVariable(const char* name, const char* value) : name(name)
    {
        if (const char* now = std::getenv(name))
            old = now;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
    const char* name;
    std::optional<std::string> old;
};

}  // namespace

TEST(OpenRequestChannel, TakesTheAbsolutePathOfThisUserAndRefusesAnyOtherRequest)
{
    const uid_t me = getuid(), other = getuid() + 1;
    const struct {
        const char* what;
        uid_t listenerAccepts;  // the user the listener takes requests of
        uid_t senderExpects;    // the user the sender expects the listener to run as
        std::string path;
        bool handlerTakes;      // false: the running copy has as many files waiting as it keeps
        Result result;
    } cases[] = {
        {"this user's file", me, me, "/home/someone/Live set.vlbx", true, Result::Taken},
        {"a request of another user", other, me, "/home/someone/mix.vlbx", true, Result::Refused},
        {"a listener of another user", me, other, "/home/someone/mix.vlbx", true, Result::Refused},
        {"a relative path", me, me, "mix.vlbx", true, Result::Refused},
        {"a path too long", me, me, "/" + std::string(OpenRequestChannel::kMaxPath, 'a'), true, Result::Refused},
        {"a file the running copy cannot keep", me, me, "/home/someone/mix.vlbx", false, Result::Refused},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        std::vector<std::string> received;
        OpenRequestChannel listener(
            folder / "VelbrinControl.socket",
            [&](const Request& request) {
                received.push_back(request.path);
                return c.handlerTakes;
            },
            c.listenerAccepts);
        ASSERT_TRUE(listener.IsListening()) << c.what;
        EXPECT_EQ(SendWhileListening(folder / "VelbrinControl.socket", c.path, "", c.senderExpects), c.result)
            << c.what;
        const bool offered = c.result == Result::Taken || !c.handlerTakes;
        EXPECT_EQ(received, offered ? std::vector<std::string>{c.path} : std::vector<std::string>{}) << c.what;
    }
}

// The launcher's startup id travels with the path, so that the running copy can finish the launch's
// startup notification as it comes to the front.
TEST(OpenRequestChannel, TheLaunchsStartupIdComesWithItsPath)
{
    TempFolder folder;
    const std::string socket = folder / "VelbrinControl.socket";
    std::vector<std::pair<std::string, std::string>> received;
    OpenRequestChannel listener(socket, [&](const Request& request) {
        received.emplace_back(request.path, request.startupId);
        return true;
    });
    ASSERT_TRUE(listener.IsListening());
    const std::string id = "launcher/VelbrinControl-4242-host-12_TIME8765432";
    EXPECT_EQ(SendWhileListening(socket, "/home/someone/Live set.vlbx", id), Result::Taken);
    const struct {
        const char* what;
        std::string bytes;
        char answer;
    } cases[] = {
        {"the path alone, as an earlier launch sends it", std::string("/home/someone/old.vlbx\0", 23), 'Y'},
        {"an id with a line break", std::string("/a.vlbx\0one\ntwo\0", 16), 'N'},
        {"an id too long", std::string("/a.vlbx\0", 8) + std::string(OpenRequestChannel::kMaxStartupId + 1, 'x') + '\0',
         'N'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WhileListening([&] { return SendBytes(socket, c.bytes); }), c.answer) << c.what;
    const std::vector<std::pair<std::string, std::string>> expected = {{"/home/someone/Live set.vlbx", id},
                                                                       {"/home/someone/old.vlbx", ""}};
    EXPECT_EQ(received, expected);
}

// Each connection is read as its bytes arrive: peers that connect and say nothing, however many and
// however often, hold the thread that runs the main context no longer than a dispatch takes, and a
// request that comes meanwhile is taken.
TEST(OpenRequestChannel, SilentPeersNeverHoldTheThreadThatServes)
{
    TempFolder folder;
    const std::string socket = folder / "VelbrinControl.socket";
    std::vector<std::string> received;
    OpenRequestChannel listener(socket, [&](const Request& request) {
        received.push_back(request.path);
        return true;
    });
    ASSERT_TRUE(listener.IsListening());
    std::vector<int> silent;
    for (int i = 0; i < 8; ++i) {
        silent.push_back(Connect(socket));
        ASSERT_GE(silent.back(), 0);
    }
    const Clock::time_point start = Clock::now();
    // One more that says nothing either, and connects again whenever it is dropped.
    std::thread reconnecting([&] {
        while (Clock::now() - start < 700ms) {
            const int fd = Connect(socket, true);
            if (fd < 0) {
                std::this_thread::sleep_for(1ms);
                continue;
            }
            pollfd entry{fd, POLLIN, 0};
            poll(&entry, 1, 700);
            close(fd);
        }
    });
    std::atomic<bool> sent{false};
    Result result = Result::NoListener;
    std::thread sender([&] {
        std::this_thread::sleep_for(50ms);
        result = OpenRequestChannel::Send(socket, "/home/someone/mix.vlbx", "", 3000);
        sent = true;
    });
    Clock::duration longest{};
    while ((!sent || Clock::now() - start < 800ms) && Clock::now() - start < 10s) {
        const Clock::time_point before = Clock::now();
        g_main_context_iteration(nullptr, FALSE);
        longest = std::max(longest, Clock::now() - before);
    }
    reconnecting.join();
    sender.join();
    EXPECT_LT(longest, 100ms);
    EXPECT_EQ(result, Result::Taken);
    EXPECT_EQ(received, std::vector<std::string>{"/home/someone/mix.vlbx"});
    for (const int fd : silent) {
        char answer = '\0';
        EXPECT_EQ(recv(fd, &answer, 1, MSG_DONTWAIT), 1);
        EXPECT_EQ(answer, 'N') << "a silent peer is refused at its deadline";
        close(fd);
    }
}

TEST(OpenRequestChannel, TheSocketIsTheUsersOnlyAndGoesWithTheListener)
{
    TempFolder folder;
    const std::string socket = folder / "VelbrinControl.socket";
    EXPECT_EQ(OpenRequestChannel::Send(socket, "/a.vlbx", "", 200), Result::NoListener);
    {
        OpenRequestChannel stale(socket, nullptr);
        ASSERT_TRUE(stale.IsListening());
        // A copy that ended without removing its socket: the next one replaces it.
        OpenRequestChannel listener(socket, nullptr);
        ASSERT_TRUE(listener.IsListening());
        struct stat info;
        ASSERT_EQ(lstat(socket.c_str(), &info), 0);
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_EQ(SendWhileListening(socket, "/a.vlbx"), Result::Taken);
    }
    struct stat info;
    EXPECT_NE(lstat(socket.c_str(), &info), 0);  // the first listener left the second one's socket alone
    EXPECT_EQ(OpenRequestChannel::Send(socket, "/a.vlbx", "", 200), Result::NoListener);
}

// The runtime folder when it is the user's own and closed to others, else the configuration folder.
TEST(OpenRequestChannel, TheSocketLivesInAFolderOnlyTheUserCanEnter)
{
    TempFolder folder;
    const std::string runtime = folder / "runtime", slashed = runtime + "/", config = folder / "config";
    ASSERT_EQ(mkdir(runtime.c_str(), 0700), 0);
    const ScopedVariable configHome("XDG_CONFIG_HOME", config.c_str());
    const struct {
        const char* what;
        const char* runtime;
        mode_t mode;
        std::string socket;
    } cases[] = {
        {"a private runtime folder", runtime.c_str(), 0700, runtime + "/VelbrinControl.socket"},
        {"one with a trailing slash", slashed.c_str(), 0700, runtime + "/VelbrinControl.socket"},
        {"one others may enter", runtime.c_str(), 0755, config + "/VelbrinControl/VelbrinControl.socket"},
        {"none", nullptr, 0700, config + "/VelbrinControl/VelbrinControl.socket"},
    };
    for (const auto& c : cases) {
        chmod(runtime.c_str(), c.mode);
        const ScopedVariable variable("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(OpenRequestChannel::SocketPath("VelbrinControl"), c.socket) << c.what;
    }
}
