#include "platform/helper/DriverCommand.h"

namespace {
constexpr size_t kNameLimit = 55;  // the kernel's module name length without its terminator
constexpr char kUnload[] = "unload ";
constexpr char kLoad[] = "load ";
}  // namespace

bool DriverCommand::IsValidName(const std::string& name)
{
    if (name.empty() || name.size() > kNameLimit)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && (i == 0 || (c != '_' && c != '-')))
            return false;
    }
    return true;
}

std::vector<std::string> DriverCommand::Line(DriverAction action, const std::string& name, const std::string& tool)
{
    if (action == DriverAction::Unload)
        return {tool, "-r", "--", name};
    return {tool, "--", name};
}

std::vector<std::string> DriverCommand::Environment()
{
    return {"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "LC_ALL=C"};
}

std::string DriverCommand::Request(DriverAction action, const std::string& name)
{
    return (action == DriverAction::Unload ? kUnload : kLoad) + name;
}

bool DriverCommand::ParseRequest(const std::string& line, DriverAction* action, std::string* name)
{
    std::string rest;
    if (line.compare(0, sizeof kUnload - 1, kUnload) == 0) {
        *action = DriverAction::Unload;
        rest = line.substr(sizeof kUnload - 1);
    } else if (line.compare(0, sizeof kLoad - 1, kLoad) == 0) {
        *action = DriverAction::Load;
        rest = line.substr(sizeof kLoad - 1);
    } else {
        return false;
    }
    if (!IsValidName(rest))
        return false;
    *name = rest;
    return true;
}
