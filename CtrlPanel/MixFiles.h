#pragma once
// What the application does with mix files: the mix read at start-up and written at exit (the default
// mix, or the file named on the command line in its place), the "Save" and "Load" dialogs, and opening
// a file on request. The format, the checks and the atomic save are MixFile's; what follows a load in
// the windows is the application's. GUI thread only.

#include <string>
#include <vector>

#include "CtrlPanel/DefaultMix.h"
#include "CtrlPanel/MixDialogs.h"
#include "CtrlPanel/MixFile.h"

class FileDialogSink;
class MessageSink;
class PageController;

class MixFiles {
public:
    // The default mix's path is set now (its folder created when missing). Neither sink is owned.
    MixFiles(MessageSink& messages, FileDialogSink& files);

    // Block 0 the main controller, 1..8 the effect controllers in the application's order; not owned.
    void SetControllers(std::vector<PageController*> controllers);
    // The file named on the command line replaces the default mix; its load shows its errors.
    void SetCommandLinePath(const std::string& path);
    // Nothing is written at exit (a second copy of the program was refused).
    void DisableWriteOnExit();

    // Each load returns true when values were applied.
    bool LoadAtStart();
    // False when the mix could not be written anywhere; the user has been told why.
    bool SaveAtExit();
    bool RunLoadDialog();
    void RunSaveDialog();
    bool LoadFile(const std::string& path);

    const std::string& GetPath() const { return m_default.GetPath(); }

private:
    MixFile m_mix;
    DefaultMix m_default;
    MixDialogs m_dialogs;
};
