#pragma once
// The real privileged runner: runs a command directly when the process is root, else through
// pkexec, which asks the user for the administrator's password. Never through a shell: every
// argument reaches the command as it is.

#include "platform/PrivilegedRunner.h"

#include <cstdint>

class SystemPrivilegedRunner : public PrivilegedRunner {
public:
    static constexpr const char* kPkexec = "/usr/bin/pkexec";

    // A command that has not ended after timeoutMs is killed and counts as failed.
    explicit SystemPrivilegedRunner(uint32_t timeoutMs = 120000) : m_timeoutMs(timeoutMs) {}

    bool Authorize() override;
    int Run(const std::vector<std::string>& argv) override;

    // The argument vector actually started for argv.
    static std::vector<std::string> CommandLine(const std::vector<std::string>& argv, bool asRoot);

private:
    static bool IsRoot();
    uint32_t m_timeoutMs;
};
