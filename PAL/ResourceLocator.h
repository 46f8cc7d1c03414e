#pragma once
// Finds "ProjectResources.res", standing in for the application bundle's resource folder. Places, in
// order: the file named by the environment variable VELBRIN_RESOURCES; the install share folder seen
// from the executable's folder (bin/../share/velbrincontrol/, wherever the program was installed);
// beside the executable; the build tree's resources folder.

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
// returns how many of its records are usable; 0 when no place has one (the global archive is then left
// empty). report receives, for the user, what went wrong on the way, naming each archive: a missing
// archive that VELBRIN_RESOURCES names, archives passed over as unusable, the one used when it is
// damaged or lacks window backdrops, or every place looked at when none was usable. A few lines at
// most; empty when the first archive tried was loaded whole. Without report the text goes to stderr.
size_t OpenProjectResources(std::string* report = nullptr);
