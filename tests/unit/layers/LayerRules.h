#pragma once
// Who may include whom, checked on the source tree: each rule names the folder whose files it binds,
// the includes they must not make, and the few they may make all the same. Paths run from the source
// root with '/'; a header in angle brackets is checked as written ("wx/frame.h").

#include <string>
#include <vector>

class LayerRules {
public:
    struct Breach {
        std::string file;
        int line;
        std::string included;
        std::string rule;
    };

    // The rules that file breaks by including included.
    static std::vector<std::string> Check(const std::string& file, const std::string& included);
    // Every include of the .h and .cpp files under root's CtrlPanel, PAL, platform, resources and tools
    // folders, checked.
    // filesPerRule receives, for each rule, the number of files it bound.
    static std::vector<Breach> CheckTree(const std::string& root, std::vector<int>* filesPerRule);
    static std::vector<std::string> RuleNames();
};
