#pragma once
// The user's configuration folder of a program, as the XDG base-directory rules place it:
// $XDG_CONFIG_HOME (when it is an absolute path), else ~/.config ($HOME, else the password database),
// followed by the program's name. Missing folders are created, mode 0700.

#include <string>

class UserConfigFolder {
public:
    // The folder, without a trailing slash; created when missing. Empty when no home folder is known or
    // the folder cannot be created.
    static std::string Path(const std::string& programName);
};
