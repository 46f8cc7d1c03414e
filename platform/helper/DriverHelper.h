#pragma once
// The privileged side of the driver commands, one process per update: started through pkexec (one
// request for administrator rights) or directly by root, it carries out for the process that
// started it the driver commands of DriverCommand, and nothing else.
//
// Protocol, one line at a time on standard input and output: the helper first writes "ready". Each
// request ("unload <name>", "load <name>") is answered with the tool's exit status, or -1 when the
// request is not one of the list, the tool could not be started, or it did not end within the
// command bound (it is then killed with everything it started). The tool reads nothing and writes
// to standard error. The helper ends at the end of its input, after the idle bound without a
// request, or when an answer cannot be written.

#include "platform/helper/DriverCommand.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class DriverHelper {
public:
    static constexpr const char* kReady = "ready";
    static constexpr const char* kProgramName = "velbrin-driver-helper";
    // How long a killed tool may take to go.
    static constexpr uint32_t kKillGraceMs = 2000;
    // The longest bound of a command and of the wait for the next request: a root process lingers no
    // longer. The idle bound spans an update between its unload and its load.
    static constexpr uint32_t kBoundLimitMs = 600000;

    struct Options {
        std::string tool = kDriverTool;
        uint32_t commandMs = 120000;
        uint32_t idleMs = kBoundLimitMs;
    };
    // "--tool <absolute path>", "--command-ms <n>", "--idle-ms <n>" (1 to kBoundLimitMs); false for
    // anything else. The tool must be kDriverTool unless anyTool: however the helper was made root
    // (pkexec, sudo, a setuid wrapper), it runs the driver tool and nothing else. Only the build the
    // tests start takes another.
    static bool ParseArguments(const std::vector<std::string>& args, bool anyTool, Options* options);
    // The arguments that give these options.
    static std::vector<std::string> Arguments(const Options& options);

    explicit DriverHelper(Options options) : m_options(std::move(options)) {}
    // Serves requests from in, answering on out, until the helper ends.
    void Serve(int in, int out);
    // One request line (without its newline): the answer.
    int Handle(const std::string& line);

private:
    Options m_options;
};
