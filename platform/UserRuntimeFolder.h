#pragma once
// The folder of this user's files that no one else may touch (the single-instance lock, the socket of
// open requests): $XDG_RUNTIME_DIR when it is the user's own and closed to others, else the user's
// configuration folder of the program (created when missing) when no one else can write into it.

#include <string>

class UserRuntimeFolder {
public:
    // Without a trailing slash; empty when neither folder fits.
    static std::string Locate(const std::string& programName);
};
