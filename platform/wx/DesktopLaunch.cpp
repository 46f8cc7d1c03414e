#include "platform/wx/DesktopLaunch.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

bool OpenWebPage(const std::string& url)
{
    return wxLaunchDefaultBrowser(wxString::FromUTF8(url.c_str()));
}

std::string ProgramFolder()
{
    const wxFileName executable(wxStandardPaths::Get().GetExecutablePath());
    return std::string(executable.GetPath().utf8_str());
}

bool StartProgram(const std::string& path)
{
    const wxString file = wxString::FromUTF8(path.c_str());
    // The child reports a failed exec only on its own stderr, so look before starting it.
    if (!wxFileName::FileExists(file) || !wxFileName::IsFileExecutable(file))
        return false;
    const char* argv[] = {path.c_str(), nullptr};
    return wxExecute(argv, wxEXEC_ASYNC) != 0;
}
