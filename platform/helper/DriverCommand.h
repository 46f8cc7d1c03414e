#pragma once
// The only commands administrator rights are asked for: unloading and loading one kernel driver
// with the driver tool. The driver's name comes after "--", so no name is taken for an option, and
// only names a kernel module can have are accepted.

#include <string>
#include <vector>

// The tool that unloads ("-r") and loads a kernel driver.
constexpr char kDriverTool[] = "/sbin/modprobe";

enum class DriverAction { Unload, Load };

class DriverCommand {
public:
    // 1 to 55 characters: a letter or digit, then letters, digits, '_' and '-'.
    static bool IsValidName(const std::string& name);
    // {tool, "-r", "--", name} or {tool, "--", name}.
    static std::vector<std::string> Line(DriverAction action, const std::string& name,
                                         const std::string& tool = kDriverTool);
    // The tool's whole environment: nothing of the caller's (no loader or tool options) reaches it.
    static std::vector<std::string> Environment();
    // The request of the driver helper's protocol: "unload <name>" or "load <name>".
    static std::string Request(DriverAction action, const std::string& name);
    // False for a line that is not a request with a valid name.
    static bool ParseRequest(const std::string& line, DriverAction* action, std::string* name);
};
