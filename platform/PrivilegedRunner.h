#pragma once
// Administrator rights, and the commands that need them (unloading and loading kernel drivers).
//
// The runner in use is a recording stand-in unless the program installs a real one: nothing on the
// simulated bus, and no test, may unload the machine's drivers.

#include <string>
#include <vector>

// The tool that unloads ("-r" name) and loads (name) a kernel driver.
constexpr char kDriverTool[] = "/sbin/modprobe";

class PrivilegedRunner {
public:
    virtual ~PrivilegedRunner() = default;
    // Obtains the right to run commands as administrator; may ask the user. False when refused.
    virtual bool Authorize() = 0;
    // Runs argv (argv[0] an absolute path) as administrator, without a shell, and waits for it.
    // The command's exit status; -1 when it could not be run or did not end in time.
    virtual int Run(const std::vector<std::string>& argv) = 0;
};

// The runner in use: the recording stand-in unless the program installed another.
PrivilegedRunner& GetPrivilegedRunner();
// Installs a runner (nullptr restores the stand-in). The caller keeps ownership.
void SetPrivilegedRunner(PrivilegedRunner* runner);
