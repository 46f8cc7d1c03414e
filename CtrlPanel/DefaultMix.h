#pragma once
// The mix read at start-up and written at exit: "com.brennimar.VelbrinDefault.vlbx" in the user's
// configuration folder (UserConfigFolder, "VelbrinControl"), or a file named on the command line in
// its place. GUI thread only.
//
// Nothing the user saved is replaced at exit without a copy, and the session's mix is never dropped
// without a word. A file that was rejected at start-up and cannot be kept as "<file>.bak" (the default
// mix), or that was named on the command line, is left as it is, and so is the default mix: the mix goes
// to the session file of the rejected file (SessionFile), and a box says where. Each rejected file has
// one session file, which later sessions of the same file write over; a name taken by anything but a
// mix file is never written over. Every failure is shown in a box that names the file and the reason.

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

    // Where a session's mix goes instead of the rejected file at path: "<name>.session-<8 hex
    // digits>.vlbx" in the default mix's folder (beside the rejected file when there is none), the
    // digits made from the rejected file's full path.
    std::string SessionFile(const std::string& path) const;

private:
    // Writes to path; when the backup of the rejected file there cannot be made, to its session file.
    // Failures are shown.
    bool SaveTo(const std::string& path);
    // Writes the mix to the session file of the rejected file at path and shows text followed by where
    // the mix went, or why it could not go there.
    bool SaveSession(const std::string& path, const std::string& text);
    // Creates the default mix's folder when file lies in it; false, with the reason, when it cannot.
    bool MakeFolderFor(const std::string& file, std::string& error) const;
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
