#include "platform/helper/DriverHelper.h"

#include "platform/helper/ChildProcess.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// A request is a few dozen bytes; a longer line is not from the engine.
constexpr size_t kLineLimit = 256;

bool ParseMs(const std::string& text, uint32_t* ms)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *ms = uint32_t(std::stoul(text));
    return *ms > 0;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

}  // namespace

bool DriverHelper::ParseArguments(const std::vector<std::string>& args, Options* options)
{
    Options o;
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        if (key == "--tool") {
            if (value.empty() || value[0] != '/' || (value != kDriverTool && getenv("PKEXEC_UID")))
                return false;
            o.tool = value;
        } else if (key == "--command-ms") {
            if (!ParseMs(value, &o.commandMs))
                return false;
        } else if (key == "--idle-ms") {
            if (!ParseMs(value, &o.idleMs))
                return false;
        } else {
            return false;
        }
    }
    *options = o;
    return true;
}

std::vector<std::string> DriverHelper::Arguments(const Options& options)
{
    return {"--tool", options.tool, "--command-ms", std::to_string(options.commandMs),
            "--idle-ms", std::to_string(options.idleMs)};
}

int DriverHelper::Handle(const std::string& line)
{
    DriverAction action;
    std::string name;
    if (!DriverCommand::ParseRequest(line, &action, &name))
        return -1;
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0)
        return -1;
    ChildProcess tool;
    const bool started = tool.Start(DriverCommand::Line(action, name, m_options.tool), devNull, 2, true);
    close(devNull);
    return started ? tool.Finish(m_options.commandMs, kKillGraceMs) : -1;
}

void DriverHelper::Serve(int in, int out)
{
    if (!WriteAll(out, std::string(kReady) + "\n"))
        return;
    std::string pending;
    for (;;) {
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!WriteAll(out, std::to_string(Handle(line)) + "\n"))
                return;
        }
        if (pending.size() > kLineLimit)
            return;
        pollfd p = {in, POLLIN, 0};
        const int ready = poll(&p, 1, int(m_options.idleMs));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return;
        char buffer[512];
        const ssize_t n = read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        pending.append(buffer, size_t(n));
    }
}
