#include "unit/layers/LayerRules.h"

#include <filesystem>
#include <fstream>

namespace {

struct Rule {
    const char* name;
    const char* folder;  // the files directly in it, and with below those in its subfolders
    bool below;
    std::vector<std::string> forbidden;  // prefixes of the includes that break the rule
    std::vector<std::string> allowed;    // prefixes of includes that keep it all the same
    std::string onlyFile;                // with onlyInclude: the one include this file may make
    std::string onlyInclude;
};

const std::vector<std::string> kWxBase = {"wx/thread.h", "wx/string.h"};

const std::vector<Rule>& Rules()
{
    static const std::vector<Rule> rules = {
        {"PAL includes nothing of CtrlPanel", "PAL", true, {"CtrlPanel/"}, {}, "", ""},
        {"PAL includes nothing of platform/wx", "PAL", true, {"platform/wx/"}, {}, "", ""},
        {"PAL includes no wx GUI header", "PAL", true, {"wx/"}, kWxBase, "", ""},
        {"the device layer includes nothing above it: not the effects, the HAL or the shell",
         "CtrlPanel/device", true, {"CtrlPanel/"}, {"CtrlPanel/device/"}, "", ""},
        {"the device layer includes no views", "CtrlPanel/device", true, {"PAL/ViewLib/"}, {}, "", ""},
        {"the device layer includes nothing of platform/wx", "CtrlPanel/device", true, {"platform/wx/"}, {}, "", ""},
        {"the device layer includes no wx GUI header", "CtrlPanel/device", true, {"wx/"}, kWxBase, "", ""},
        {"the effects include of CtrlPanel only themselves, the device layer and the HAL", "CtrlPanel/effects",
         true, {"CtrlPanel/"}, {"CtrlPanel/effects/", "CtrlPanel/device/", "CtrlPanel/VelbrinHAL.h"}, "", ""},
        {"CtrlPanel includes the simulator only to install it", "CtrlPanel", true, {"platform/sim/"}, {},
         "CtrlPanel/VelbrinControlApp.cpp", "platform/sim/SimBackends.h"},
        {"the platform interfaces include nothing of the simulator", "platform", false, {"platform/sim/"}, {}, "",
         ""},
        {"the platform interfaces include nothing above them", "platform", false, {"PAL/", "CtrlPanel/"}, {}, "",
         ""},
        {"the simulator includes nothing above the platform", "platform/sim", false, {"PAL/", "CtrlPanel/"}, {}, "",
         ""},
    };
    return rules;
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool StartsWithAny(const std::string& s, const std::vector<std::string>& prefixes)
{
    for (const std::string& p : prefixes)
        if (StartsWith(s, p))
            return true;
    return false;
}

bool Binds(const Rule& rule, const std::string& file)
{
    const std::string folder = file.substr(0, file.rfind('/') + 1);
    return folder == std::string(rule.folder) + "/" || (rule.below && StartsWith(folder, std::string(rule.folder) + "/"));
}

// The header an #include line names ("" when it is none), relative headers made root-relative.
std::string IncludedBy(const std::string& line, const std::string& file)
{
    size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos || line[i] != '#')
        return "";
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line.compare(i, 7, "include") != 0)
        return "";
    i = line.find_first_not_of(" \t", i + 7);
    if (i == std::string::npos || (line[i] != '"' && line[i] != '<'))
        return "";
    const size_t end = line.find(line[i] == '"' ? '"' : '>', i + 1);
    if (end == std::string::npos)
        return "";
    std::string name = line.substr(i + 1, end - i - 1);
    if (line[i] == '"' && name.find('/') == std::string::npos)
        name = file.substr(0, file.rfind('/') + 1) + name;
    return name;
}

}  // namespace

std::vector<std::string> LayerRules::Check(const std::string& file, const std::string& included)
{
    std::vector<std::string> broken;
    for (const Rule& r : Rules()) {
        if (!Binds(r, file) || !StartsWithAny(included, r.forbidden) || StartsWithAny(included, r.allowed))
            continue;
        if (file == r.onlyFile && included == r.onlyInclude)
            continue;
        broken.push_back(r.name);
    }
    return broken;
}

std::vector<LayerRules::Breach> LayerRules::CheckTree(const std::string& root, std::vector<int>* filesPerRule)
{
    namespace fs = std::filesystem;
    filesPerRule->assign(Rules().size(), 0);
    std::vector<Breach> breaches;
    for (const char* top : {"CtrlPanel", "PAL", "platform"}) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(fs::path(root) / top, error), end; !error && it != end;
             it.increment(error)) {
            const fs::path& path = it->path();
            if (!it->is_regular_file() || (path.extension() != ".h" && path.extension() != ".cpp"))
                continue;
            const std::string file = path.lexically_relative(root).generic_string();
            for (size_t r = 0; r < Rules().size(); ++r)
                (*filesPerRule)[r] += Binds(Rules()[r], file);
            std::ifstream in(path);
            int number = 0;
            for (std::string line; std::getline(in, line);) {
                ++number;
                const std::string included = IncludedBy(line, file);
                if (!included.empty())
                    for (const std::string& rule : Check(file, included))
                        breaches.push_back({file, number, included, rule});
            }
        }
    }
    return breaches;
}

std::vector<std::string> LayerRules::RuleNames()
{
    std::vector<std::string> names;
    for (const Rule& r : Rules())
        names.push_back(r.name);
    return names;
}
