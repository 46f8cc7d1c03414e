#include "platform/SystemPrivilegedRunner.h"

#include "platform/helper/DriverHelper.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How long the helper may take to go once its input has ended, and to answer beyond its own bound.
constexpr uint32_t kEndMs = 2000;
constexpr uint32_t kAnswerMarginMs = DriverHelper::kKillGraceMs + 3000;

enum ReadResult { kLine, kEnded, kTimedOut };

std::string ProgramFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string program(path, size_t(n));
    return program.substr(0, program.rfind('/'));
}

bool SendAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
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

std::vector<std::string> SystemPrivilegedRunner::CommandLine() const
{
    std::vector<std::string> line;
    if (!m_config.pkexec.empty())
        line.push_back(m_config.pkexec);
    line.push_back(m_config.helper);
    DriverHelper::Options options;
    options.tool = m_config.tool;
    options.commandMs = m_config.commandMs;
    for (const std::string& a : DriverHelper::Arguments(options))
        line.push_back(a);
    return line;
}

bool SystemPrivilegedRunner::Authorize()
{
    if (m_socket >= 0)
        return true;
    m_error.clear();
    if (!m_config.pkexec.empty() && access(m_config.pkexec.c_str(), X_OK) != 0) {
        m_error = "Administrator rights cannot be asked for: " + m_config.pkexec + " is missing";
        return false;
    }
    if (m_config.helper.empty() || m_config.helper[0] != '/' || access(m_config.helper.c_str(), X_OK) != 0) {
        m_error = "The driver helper " + m_config.helper + " is missing";
        return false;
    }
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
        m_error = "No channel to the driver helper";
        return false;
    }
    const bool started = m_helper.Start(CommandLine(), pair[1], pair[1], false);
    close(pair[1]);
    if (!started) {
        close(pair[0]);
        m_error = "Could not start " + CommandLine().front();
        return false;
    }
    m_socket = pair[0];
    m_pending.clear();

    std::string line;
    const int read = ReadLine(m_config.authorizeMs, &line);
    if (read == kLine && line == DriverHelper::kReady)
        return true;
    close(m_socket);
    m_socket = -1;
    // Until the helper runs, pkexec is still this user's process and can be ended.
    if (read == kTimedOut)
        m_helper.Kill();
    const int status = m_helper.Finish(kEndMs, kEndMs);
    if (read == kTimedOut)
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

int SystemPrivilegedRunner::RunDriverCommand(DriverAction action, const std::string& driver)
{
    if (m_socket < 0) {
        m_error = "No administrator rights";
        return -1;
    }
    // A name with a line break would be two requests.
    if (!DriverCommand::IsValidName(driver)) {
        m_error = "Not a driver name: " + driver;
        return -1;
    }
    std::string line;
    if (!SendAll(m_socket, DriverCommand::Request(action, driver) + "\n") ||
        ReadLine(m_config.commandMs + kAnswerMarginMs, &line) != kLine) {
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
    if (m_socket >= 0) {
        close(m_socket);
        m_socket = -1;
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

int SystemPrivilegedRunner::ReadLine(uint32_t ms, std::string* line)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            *line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return kLine;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return kTimedOut;
        pollfd p = {m_socket, POLLIN, 0};
        const int ready = poll(&p, 1, int(left.count()));
        if (ready < 0 && errno != EINTR)
            return kEnded;
        if (ready <= 0)
            continue;
        char buffer[256];
        const ssize_t n = recv(m_socket, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return kEnded;
        m_pending.append(buffer, size_t(n));
    }
}
