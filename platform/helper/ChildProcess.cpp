#include "platform/helper/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

// Everything a spawned child needs, released on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
};

// The texts as the null-terminated array exec takes; valid while texts is.
std::vector<char*> Pointers(const std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (const std::string& t : texts)
        pointers.push_back(const_cast<char*>(t.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildProcess::~ChildProcess()
{
    if (IsRunning())
        Finish(0, 1000);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, int in, int out, bool ownGroup,
                         const std::vector<std::string>* environment)
{
    if (IsRunning() || argv.empty() || argv[0].empty() || argv[0][0] != '/' || in < 0 || out < 0)
        return false;
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> variables;
    if (environment)
        variables = Pointers(*environment);

    SpawnSetup setup;
    // dup2 onto 0 and 1 clears close-on-exec there; everything from 3 up is closed.
    if (posix_spawn_file_actions_adddup2(&setup.actions, in, 0) != 0 ||
        posix_spawn_file_actions_adddup2(&setup.actions, out, 1) != 0 ||
        posix_spawn_file_actions_addclosefrom_np(&setup.actions, 3) != 0)
        return false;
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (ownGroup)
        flags |= POSIX_SPAWN_SETPGROUP;
    if (posix_spawnattr_setsigmask(&setup.attributes, &none) != 0 ||
        posix_spawnattr_setsigdefault(&setup.attributes, &all) != 0 ||
        posix_spawnattr_setpgroup(&setup.attributes, 0) != 0 || posix_spawnattr_setflags(&setup.attributes, flags) != 0)
        return false;

    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &setup.actions, &setup.attributes, args.data(),
                    environment ? variables.data() : environ) != 0)
        return false;
    m_pid = pid;
    m_ownGroup = ownGroup;
    return true;
}

bool ChildProcess::Wait(uint32_t ms, int* status)
{
    if (!IsRunning())
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int s = 0;
        const pid_t done = waitpid(m_pid, &s, WNOHANG);
        if (done == m_pid || (done < 0 && errno == ECHILD)) {
            // ECHILD: reaped elsewhere (SIGCHLD ignored); it ended, its status is lost.
            *status = done == m_pid ? s : -1;
            m_pid = 0;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool ChildProcess::Kill()
{
    if (!IsRunning())
        return false;
    return kill(m_ownGroup ? -m_pid : m_pid, SIGKILL) == 0;
}

int ChildProcess::Finish(uint32_t ms, uint32_t graceMs)
{
    int status = 0;
    if (Wait(ms, &status))
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    Kill();
    Wait(graceMs, &status);
    // Not reaped: it stays a zombie of this process rather than a wait without end.
    m_pid = 0;
    return -1;
}
