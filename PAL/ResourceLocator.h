#pragma once
// Finds "ProjectResources.res", standing in for the application bundle's resource folder. Places, in
// order: the file named by the environment variable VELBRIN_RESOURCES; beside the executable; the install
// share folder (/usr/share/velbrincontrol/); the build tree's resources folder.

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

// Loads the archive that ResourceLocator finds into the global archive and returns how many of its records
// are usable. 0 when there is none, it cannot be read (the global archive is then left empty) or it holds
// nothing usable. A caller that needs certain resources asks ResourceArchive::Missing as well.
size_t OpenProjectResources();
