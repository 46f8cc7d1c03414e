#include "platform/SystemPrivilegedRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

bool SystemPrivilegedRunner::IsRoot() { return geteuid() == 0; }

std::vector<std::string> SystemPrivilegedRunner::CommandLine(const std::vector<std::string>& argv, bool asRoot)
{
    std::vector<std::string> line;
    if (!asRoot)
        line.push_back(kPkexec);
    line.insert(line.end(), argv.begin(), argv.end());
    return line;
}

bool SystemPrivilegedRunner::Authorize()
{
    if (IsRoot())
        return true;
    if (access(kPkexec, X_OK) != 0)
        return false;
    // Asks for the password once, before anything is unloaded.
    return Run({"/bin/true"}) == 0;
}

int SystemPrivilegedRunner::Run(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv[0].empty() || argv[0][0] != '/')
        return -1;
    const std::vector<std::string> line = CommandLine(argv, IsRoot());
    std::vector<char*> args;
    for (const std::string& a : line)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeoutMs);
    int status = 0;
    for (;;) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return -1;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
