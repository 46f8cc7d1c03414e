#pragma once
// The mix read at start-up and written at exit: "com.brennimar.VelbrinDefault.vlbx" in the user's
// configuration folder (UserConfigFolder, "VelbrinControl"), or a file named on the command line in
// its place. GUI thread only.

#include "CtrlPanel/MixFileCheck.h"

#include <string>

class MixFile;

class DefaultMix {
public:
    static constexpr const char* kFileName = "com.brennimar.VelbrinDefault.vlbx";
    static constexpr const char* kFolderName = "VelbrinControl";

    explicit DefaultMix(MixFile& mix);

    // Sets the path to the default mix when it is still empty (the folder is created when missing).
    void SetDefaultMixPath();
    // The file named on the command line replaces the path; its load shows its errors.
    void SetCommandLinePath(const std::string& path);
    // Nothing is written at exit (a second copy of the program was refused).
    void DisableWriteOnExit() { m_writeOnExit = false; }

    const std::string& GetPath() const { return m_path; }
    bool IsSilent() const { return m_silent; }
    bool IsFromCommandLine() const { return !m_silent; }
    bool WritesOnExit() const { return m_writeOnExit; }

    // Reads the file at the path: silently for the default mix, with messages for a command-line file.
    // NotOpened (nothing shown) when there is no path or no file.
    MixLoadResult LoadAtStart();
    // Writes the current mix to the path. Nothing is written when writing at exit is off, or when the
    // path came from the command line and its file was rejected (it stays as it was). False when
    // nothing was written; the reason is traced.
    bool SaveAtExit();

private:
    MixFile& m_mix;
    std::string m_path;
    bool m_silent = true;
    bool m_writeOnExit = true;
};
