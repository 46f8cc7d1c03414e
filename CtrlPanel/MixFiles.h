#pragma once
// What the application does with mix files: the mix read at start-up and written at exit (the default
// mix, or the file named on the command line in its place), the "Save" and "Load" dialogs, and opening
// a file on request. What follows a load in the windows is the application's.
//
// Until the mix-file format is in place, nothing is read or written: loads report that no values
// were applied and saves write nothing. GUI thread only.

#include <string>
#include <vector>

class MessageSink;
class PageController;

class MixFiles {
public:
    explicit MixFiles(MessageSink& messages);

    // Block 0 the main controller, 1..8 the effect controllers in the application's order; not owned.
    void SetControllers(std::vector<PageController*> controllers);
    // The file named on the command line replaces the default mix; its load shows its errors.
    void SetCommandLinePath(const std::string& path);
    // Nothing is written at exit (a second copy of the program was refused).
    void DisableWriteOnExit();

    // Each load returns true when values were applied.
    bool LoadAtStart();
    void SaveAtExit();
    bool RunLoadDialog();
    void RunSaveDialog();
    bool LoadFile(const std::string& path);

private:
    MessageSink& m_messages;
    std::vector<PageController*> m_controllers;
    std::string m_commandLinePath;
    bool m_writeOnExit = true;
};
