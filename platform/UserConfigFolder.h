#pragma once
// The user's configuration folder of a program, as the XDG base-directory rules place it:
// $XDG_CONFIG_HOME (when it is an absolute path), else ~/.config ($HOME, else the password database),
// followed by the program's name.

#include <string>

class UserConfigFolder {
public:
    // The folder, without a trailing slash; empty when no home folder is known. Nothing is created.
    static std::string Locate(const std::string& programName);
    // Creates folder and every missing folder above it, mode 0700. False when it is not a folder
    // afterwards; error then says which folder could not be made and the system's reason.
    static bool Create(const std::string& folder, std::string& error);
    // The folder, created when missing; empty when no home folder is known or it cannot be created.
    static std::string Path(const std::string& programName);
};
