#pragma once
// Starting things outside the program: a web page in the user's browser, and a program beside this
// program's executable.

#include <string>

// True when the browser was asked to open url.
bool OpenWebPage(const std::string& url);
// The folder that holds this program's executable, without a trailing '/'.
std::string ProgramFolder();
// Starts the executable file at path, without waiting for it; false when there is no executable file
// there or it could not be started.
bool StartProgram(const std::string& path);
