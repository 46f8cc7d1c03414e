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
// What the tables and the artwork generator may reach of PAL: the record types and the controls' measures.
const std::vector<std::string> kTableTypes = {"PAL/LayoutRecord.h", "PAL/LayoutTables.h", "PAL/ParamDescriptor.h",
                                              "PAL/WindowRecords.h", "PAL/ViewLib/ControlGeometry.h"};

template <class... Lists>
std::vector<std::string> Join(const Lists&... lists)
{
    std::vector<std::string> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

// Each folder is a layer's library; a rule binds the files of its folder (and, with below, of its
// subfolders).
const std::vector<Rule>& Rules()
{
    static const std::vector<Rule> rules = {
        {"the platform includes nothing above it", "platform", true, {"PAL/", "CtrlPanel/", "resources/", "tools/"},
         {}, "", ""},
        {"the platform interfaces include nothing of the simulator", "platform", false, {"platform/sim/"}, {}, "",
         ""},
        {"the toolkit's back-ends include nothing of the simulator", "platform/wx", true, {"platform/sim/"}, {}, "",
         ""},
        {"the driver helper includes only itself and no wx", "platform/helper", true, {"platform/", "wx/"},
         {"platform/helper/"}, "", ""},
        {"PAL includes nothing of the shell or the tools", "PAL", true, {"CtrlPanel/", "tools/"}, {}, "", ""},
        {"PAL's parameters and pages include nothing of the toolkit", "PAL", false,
         {"wx/", "PAL/wx/", "platform/wx/"}, kWxBase, "", ""},
        {"PAL's views include nothing of the toolkit", "PAL/ViewLib", true, {"wx/", "PAL/wx/", "platform/wx/"},
         kWxBase, "", ""},
        {"the layout tables include of PAL only its record types", "resources/layouts", true,
         {"PAL/", "CtrlPanel/", "platform/", "tools/", "wx/"}, kTableTypes, "", ""},
        {"the descriptor tables include of PAL only its record types", "resources/params", true,
         {"PAL/", "CtrlPanel/", "platform/", "tools/", "wx/"}, kTableTypes, "", ""},
        {"the artwork generator includes of PAL only the tables' types and the controls' measures",
         "resources/artwork", true, {"PAL/", "CtrlPanel/", "platform/", "tools/", "wx/"}, kTableTypes, "", ""},
        {"the device layer includes nothing above it: not the effects, the HAL or the shell",
         "CtrlPanel/device", true, {"CtrlPanel/"}, {"CtrlPanel/device/"}, "", ""},
        {"the device layer includes no views and nothing of the toolkit", "CtrlPanel/device", true,
         {"PAL/ViewLib/", "PAL/wx/", "platform/wx/", "wx/"}, kWxBase, "", ""},
        {"the effects include of CtrlPanel only themselves, the device layer and the HAL", "CtrlPanel/effects",
         true, {"CtrlPanel/"}, {"CtrlPanel/effects/", "CtrlPanel/device/", "CtrlPanel/VelbrinHAL.h"}, "", ""},
        {"the effects include nothing of the toolkit", "CtrlPanel/effects", true,
         {"PAL/wx/", "platform/wx/", "wx/"}, kWxBase, "", ""},
        {"the firmware engine includes of CtrlPanel only itself and the device layer, nothing of PAL and no "
         "wx GUI header",
         "CtrlPanel/firmware", true, {"CtrlPanel/", "PAL/", "platform/wx/", "wx/"},
         Join(std::vector<std::string>{"CtrlPanel/firmware/", "CtrlPanel/device/"}, kWxBase), "", ""},
        {"CtrlPanel includes the simulator only to install it", "CtrlPanel", true, {"platform/sim/"}, {},
         "CtrlPanel/VelbrinControlApp.cpp", "platform/sim/SimBackends.h"},
        {"the tools include nothing of the tests", "tools", true, {"tests/"}, {}, "", ""},
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
    for (const char* top : {"CtrlPanel", "PAL", "platform", "resources", "tools"}) {
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
