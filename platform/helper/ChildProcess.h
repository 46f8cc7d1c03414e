#pragma once
// A child process started without a shell. It gets standard input and output from the descriptors
// given, shares standard error, and gets no other descriptor of this process; its signal mask is
// empty and its signals have their default handling. Every wait has a bound. Used by one thread.

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // A child still running is killed and reaped, waiting at most a second.
    ~ChildProcess();

    // argv[0] is an absolute path. With ownGroup the child leads a process group of its own, and
    // Kill reaches everything it started. The child gets environment ("NAME=value" entries) as its
    // whole environment, or this process's without it. False when it could not be started.
    bool Start(const std::vector<std::string>& argv, int in, int out, bool ownGroup,
               const std::vector<std::string>* environment = nullptr);
    bool IsRunning() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }
    // Waits up to ms for the child to end. True when it ended, with its wait status.
    bool Wait(uint32_t ms, int* status);
    // SIGKILL to the child (its group with ownGroup). False when not permitted: a child that
    // became another user (pkexec's) cannot be killed by its parent.
    bool Kill();
    // Waits up to ms; a child still running then is killed and waited for up to graceMs more.
    // Its exit status, or -1 when it was killed, was ended by a signal or could not be reaped.
    int Finish(uint32_t ms, uint32_t graceMs);

private:
    pid_t m_pid = 0;
    bool m_ownGroup = false;
};
