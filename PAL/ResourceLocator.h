#pragma once
// Finds "ProjectResources.res", standing in for the application bundle's resource folder. Places, in
// order: the file named by the environment variable VELBRIN_RESOURCES; the install share folder
// (/usr/share/velbrincontrol/); beside the executable; the build tree's resources folder.

#include <cstddef>
#include <string>
#include <vector>

class ResourceLocator {
public:
    // Every place, in the order they are tried (the environment's only while the variable is set).
    static std::vector<std::string> Candidates();
    // The first candidate that is a regular file, or empty.
    static std::string Find();
};

// Loads the first archive among the candidates that holds a usable record into the global archive and
// returns how many of its records are usable. An archive that VELBRIN_RESOURCES names but that is
// missing or holds nothing usable is reported on stderr before the next place is tried. 0 when no place
// has a usable archive (the global archive is then left empty). A caller that needs certain resources
// asks ResourceArchive::Missing as well.
size_t OpenProjectResources();
