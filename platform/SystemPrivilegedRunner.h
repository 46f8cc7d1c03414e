#pragma once
// The real privileged runner. Authorize starts the driver helper (velbrin-driver-helper, see
// platform/helper/DriverHelper.h) through pkexec, which asks for the administrator's password once,
// or directly when the process is root. The helper carries out every driver command until
// EndAuthorization, so an update asks once; it enforces each command's bound itself (a root
// process cannot be killed by its caller) and ends with its input, also when this process dies.
// Requests go over a socket pair, never through a shell. Used by one thread at a time.
//
// The helper runs as root, so only one that no one but root could have put there is started: the
// file and its folder belong to root and no one else may write them, and every folder above belongs
// to root and is writable by no one else, or has the sticky bit (no one else can then rename what
// lies in it). Symbolic links are resolved first, and the resolved path is what is started.

#include "platform/PrivilegedRunner.h"
#include "platform/helper/ChildProcess.h"
#include "platform/helper/LineChannel.h"

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

class SystemPrivilegedRunner : public PrivilegedRunner {
public:
    static constexpr const char* kPkexec = "/usr/bin/pkexec";

    struct Config {
        std::string pkexec;  // empty: the helper is started directly (the process is root)
        std::string helper;  // absolute path of velbrin-driver-helper
        std::string tool = kDriverTool;
        uint32_t commandMs = 120000;    // bound of one driver command, enforced by the helper
        uint32_t authorizeMs = 300000;  // how long the user may take to answer the password prompt
        uid_t helperOwner = 0;          // who owns the helper and its folder: root, but in the tests' own build
    };
    // pkexec unless the process is root; the helper beside the running program.
    static Config DefaultConfig();

    explicit SystemPrivilegedRunner(Config config = DefaultConfig());
    ~SystemPrivilegedRunner() override;

    bool Authorize() override;
    int RunDriverCommand(DriverAction action, const std::string& driver) override;
    void EndAuthorization() override;
    std::string Error() const override { return m_error; }

    // The program line Authorize starts.
    std::vector<std::string> CommandLine() const;

private:
    std::vector<std::string> CommandLine(const std::string& helper) const;
    // The helper's resolved path when it may be started as root; else empty, with m_error set.
    std::string TrustedHelper();
    // Ends the helper after a failure, keeping the failure's text.
    void Fail(const std::string& error);

    Config m_config;
    ChildProcess m_helper;
    LineChannel m_channel;  // this side of the helper's standard input and output; the socket is ours
    std::string m_error;
};
