#include "platform/SystemPrivilegedRunner.h"

#include "platform/helper/DriverHelper.h"

#include <climits>
#include <cstdlib>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long the helper may take to go once its input has ended, and to answer beyond its own bound.
constexpr uint32_t kEndMs = 2000;
constexpr uint32_t kAnswerMarginMs = DriverHelper::kKillGraceMs + 3000;

// Why the file at path (absolute, no symbolic links) must not be started as root, or "" when it may.
std::string UnsafePart(const std::string& path, uid_t owner)
{
    std::string part = path;
    for (int level = 0;; ++level) {
        struct stat st;
        if (lstat(part.c_str(), &st) != 0)
            return part + " cannot be examined";
        // The file and its folder: exactly the owner, writable by no one else. Above: the owner or
        // root, and writable by others only with the sticky bit.
        const bool near = level < 2;
        if (st.st_uid != owner && (near || st.st_uid != 0))
            return part + " belongs to another user";
        if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && (near || (st.st_mode & S_ISVTX) == 0))
            return part + " can be changed by other users";
        if (level == 0 ? !S_ISREG(st.st_mode) : !S_ISDIR(st.st_mode))
            return part + " is not a " + (level == 0 ? "file" : "folder");
        if (part == "/")
            return "";
        const size_t slash = part.rfind('/');
        part = slash == 0 ? "/" : part.substr(0, slash);
    }
}

std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string program(path, size_t(n));
    return program.substr(0, program.rfind('/'));
}

}  // namespace

SystemPrivilegedRunner::Config SystemPrivilegedRunner::DefaultConfig()
{
    Config config;
    config.pkexec = geteuid() == 0 ? "" : kPkexec;
    config.helper = ProgramFolder() + "/" + DriverHelper::kProgramName;
    return config;
}

SystemPrivilegedRunner::SystemPrivilegedRunner(Config config) : m_config(std::move(config)) {}

SystemPrivilegedRunner::~SystemPrivilegedRunner() { EndAuthorization(); }

std::vector<std::string> SystemPrivilegedRunner::CommandLine() const { return CommandLine(m_config.helper); }

std::vector<std::string> SystemPrivilegedRunner::CommandLine(const std::string& helper) const
{
    std::vector<std::string> line;
    if (!m_config.pkexec.empty())
        line.push_back(m_config.pkexec);
    line.push_back(helper);
    DriverHelper::Options options;
    options.tool = m_config.tool;
    options.commandMs = m_config.commandMs;
    for (const std::string& a : DriverHelper::Arguments(options))
        line.push_back(a);
    return line;
}

bool SystemPrivilegedRunner::Authorize()
{
    if (m_channel.Fd() >= 0)
        return true;
    m_error.clear();
    if (!m_config.pkexec.empty() && access(m_config.pkexec.c_str(), X_OK) != 0) {
        m_error = "Administrator rights cannot be asked for: " + m_config.pkexec + " is missing";
        return false;
    }
    const std::string helper = TrustedHelper();
    if (helper.empty())
        return false;
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        m_error = "No channel to the driver helper";
        return false;
    }
    const std::vector<std::string> command = CommandLine(helper);
    const bool started = m_helper.Start(command, pair[1], pair[1], false);
    close(pair[1]);
    if (!started) {
        close(pair[0]);
        m_error = "Could not start " + command.front();
        return false;
    }
    m_channel.Reset(pair[0]);

    std::string line;
    const LineChannel::Result read = m_channel.ReadLine(m_config.authorizeMs, &line);
    if (read == LineChannel::kLine && line == DriverHelper::kReady)
        return true;
    close(m_channel.Fd());
    m_channel.Reset(-1);
    // Until the helper runs, pkexec is still this user's process and can be ended.
    if (read == LineChannel::kTimedOut)
        m_helper.Kill();
    const int status = m_helper.Finish(kEndMs, kEndMs);
    if (read == LineChannel::kTimedOut)
        m_error = "No answer to the request for administrator rights within " +
                  std::to_string(m_config.authorizeMs / 1000) + " s";
    else if (status == 126)
        m_error = "The request for administrator rights was dismissed";
    else if (status == 127)
        m_error = "Administrator rights were refused or could not be asked for";
    else
        m_error = "The driver helper did not start (status " + std::to_string(status) + ")";
    return false;
}

std::string SystemPrivilegedRunner::TrustedHelper()
{
    const std::string& helper = m_config.helper;
    char resolved[PATH_MAX];
    if (helper.empty() || helper[0] != '/' || access(helper.c_str(), X_OK) != 0 ||
        !realpath(helper.c_str(), resolved)) {
        m_error = "The driver helper " + helper + " is missing";
        return "";
    }
    const std::string unsafe = UnsafePart(resolved, m_config.helperOwner);
    if (!unsafe.empty()) {
        m_error = "The driver helper " + helper + " is not safe to run as administrator: " + unsafe;
        return "";
    }
    return resolved;
}

int SystemPrivilegedRunner::RunDriverCommand(DriverAction action, const std::string& driver)
{
    if (m_channel.Fd() < 0) {
        m_error = "No administrator rights";
        return -1;
    }
    // A name with a line break would be two requests.
    if (!DriverCommand::IsValidName(driver)) {
        m_error = "Not a driver name: " + driver;
        return -1;
    }
    std::string line;
    if (!m_channel.WriteLine(DriverCommand::Request(action, driver)) ||
        m_channel.ReadLine(m_config.commandMs + kAnswerMarginMs, &line) != LineChannel::kLine) {
        Fail("The driver helper stopped answering");
        return -1;
    }
    char* end = nullptr;
    const long status = strtol(line.c_str(), &end, 10);
    if (line.empty() || *end != 0 || status < -1 || status > 255) {
        Fail("The driver helper answered out of turn");
        return -1;
    }
    return int(status);
}

void SystemPrivilegedRunner::EndAuthorization()
{
    if (m_channel.Fd() >= 0) {
        close(m_channel.Fd());
        m_channel.Reset(-1);
    }
    // The helper ends at the end of its input once its command is done; through pkexec it is root,
    // and a Kill is refused.
    if (m_helper.IsRunning())
        m_helper.Finish(kEndMs, kEndMs / 4);
}

void SystemPrivilegedRunner::Fail(const std::string& error)
{
    EndAuthorization();
    m_error = error;
}
