#pragma once
// The mix read at start-up and written at exit: "com.brennimar.VelbrinDefault.vlbx" in the user's
// configuration folder (UserConfigFolder, "VelbrinControl"), or a file named on the command line in
// its place. GUI thread only.
//
// The session's mix is never dropped without a word at exit. A command-line file that was rejected at
// start-up stays as it is and the mix goes to the default mix instead (said on standard error). A
// rejected default mix whose backup cannot be made stays as it is and the mix goes to a free name
// beside it. Every failure is shown in a box that names the file and the reason.

#include "CtrlPanel/MixFileCheck.h"

#include <string>

class MessageSink;
class MixFile;

class DefaultMix {
public:
    static constexpr const char* kFileName = "com.brennimar.VelbrinDefault.vlbx";
    static constexpr const char* kFolderName = "VelbrinControl";

    // Neither is owned.
    DefaultMix(MixFile& mix, MessageSink& messages);

    // Sets the path to the default mix when it is still empty (the folder is created when missing).
    void SetDefaultMixPath();
    // The file named on the command line replaces the path; its load shows its errors.
    void SetCommandLinePath(const std::string& path);
    // Nothing is written at exit (a second copy of the program was refused).
    void DisableWriteOnExit() { m_writeOnExit = false; }

    const std::string& GetPath() const { return m_path; }
    bool IsSilent() const { return m_silent; }
    bool IsFromCommandLine() const { return !m_silent; }

    // Reads the file at the path: silently for the default mix, with messages for a command-line file.
    // NotOpened (nothing shown) when there is no path or no file.
    MixLoadResult LoadAtStart();
    // Writes the current mix at exit (above). False when writing at exit is off or the mix could not
    // be written anywhere.
    bool SaveAtExit();

private:
    // Writes to path; when the backup of the rejected file there cannot be made, to a free name beside
    // it. Failures are shown.
    bool SaveTo(const std::string& path);
    // The first of "<stem>.session.vlbx", "<stem>.session-2.vlbx", ... that names nothing.
    static std::string FreeNameBeside(const std::string& path);
    void ShowError(const std::string& text);
    // "Could not save the mix file.", why, and that the session's mix is lost.
    void ShowNotSaved(const std::string& why);

    MixFile& m_mix;
    MessageSink& m_messages;
    std::string m_path;
    std::string m_defaultPath;
    std::string m_defaultFolder;
    bool m_silent = true;
    bool m_writeOnExit = true;
};
