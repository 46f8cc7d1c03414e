#include "platform/helper/DriverHelper.h"

#include "platform/helper/ChildProcess.h"
#include "platform/helper/LineChannel.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

bool ParseMs(const std::string& text, uint32_t* ms)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *ms = uint32_t(std::stoul(text));
    return *ms > 0 && *ms <= DriverHelper::kBoundLimitMs;
}

}  // namespace

bool DriverHelper::ParseArguments(const std::vector<std::string>& args, bool anyTool, Options* options)
{
    Options o;
    for (size_t i = 0; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return false;
        const std::string& key = args[i];
        const std::string& value = args[i + 1];
        if (key == "--tool") {
            if (value.empty() || value[0] != '/' || (value != kDriverTool && !anyTool))
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
    const std::vector<std::string> environment = DriverCommand::Environment();
    const bool started =
        tool.Start(DriverCommand::Line(action, name, m_options.tool), devNull, 2, true, &environment);
    close(devNull);
    return started ? tool.Finish(m_options.commandMs, kKillGraceMs) : -1;
}

void DriverHelper::Serve(int in, int out)
{
    LineChannel input(in), output(out);
    if (!output.WriteLine(kReady))
        return;
    std::string line;
    while (input.ReadLine(m_options.idleMs, &line) == LineChannel::kLine) {
        if (!output.WriteLine(std::to_string(Handle(line))))
            return;
    }
}
