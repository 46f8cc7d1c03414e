// A second launch hands its file to the running copy of the same user through the channel; requests of
// another user, to a listener of another user, or that are not absolute paths are refused.
#include <gtest/gtest.h>

#include <glib.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/OpenRequestChannel.h"
#include "support/TempFolder.h"

namespace {

using Result = OpenRequestChannel::SendResult;

// Sends from a thread of its own while this thread runs the GLib main context, as the GUI thread does.
Result SendWhileListening(const std::string& socket, const std::string& path, uid_t expectedUid = getuid())
{
    std::atomic<bool> done{false};
    Result result = Result::NoListener;
    std::thread sender([&] {
        result = OpenRequestChannel::Send(socket, path, 3000, expectedUid);
        done = true;
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < until)
        g_main_context_iteration(nullptr, FALSE);
    sender.join();
    return result;
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
        Result result;
    } cases[] = {
        {"this user's file", me, me, "/home/someone/Live set.vlbx", Result::Taken},
        {"a request of another user", other, me, "/home/someone/mix.vlbx", Result::Refused},
        {"a listener of another user", me, other, "/home/someone/mix.vlbx", Result::Refused},
        {"a relative path", me, me, "mix.vlbx", Result::Refused},
        {"a path too long", me, me, "/" + std::string(OpenRequestChannel::kMaxPath, 'a'), Result::Refused},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        std::vector<std::string> received;
        OpenRequestChannel listener(folder / "VelbrinControl.socket",
                                    [&](const std::string& path) { received.push_back(path); }, c.listenerAccepts);
        ASSERT_TRUE(listener.IsListening()) << c.what;
        EXPECT_EQ(SendWhileListening(folder / "VelbrinControl.socket", c.path, c.senderExpects), c.result) << c.what;
        EXPECT_EQ(received, c.result == Result::Taken ? std::vector<std::string>{c.path} : std::vector<std::string>{})
            << c.what;
    }
}

TEST(OpenRequestChannel, TheSocketIsTheUsersOnlyAndGoesWithTheListener)
{
    TempFolder folder;
    const std::string socket = folder / "VelbrinControl.socket";
    EXPECT_EQ(OpenRequestChannel::Send(socket, "/a.vlbx", 200), Result::NoListener);
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
    EXPECT_EQ(OpenRequestChannel::Send(socket, "/a.vlbx", 200), Result::NoListener);
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
