#pragma once
// The "Save" and "Load" questions for mix files: a file dialog, then the save or the load. Detaching
// and reattaching the frames around them, and what follows a load, are the application's.
// GUI thread only.

#include "CtrlPanel/MixFileCheck.h"

#include <cstdint>

class FileDialogSink;
class MessageSink;
class MixFile;

class MixDialogs {
public:
    MixDialogs(MixFile& mix, FileDialogSink& files, MessageSink& messages);

    // Asks for a file ("Settings.vlbx" offered, overwriting confirmed) and saves to it; a failed save
    // shows "Could not save the mix file." with the file and the reason. True when the file was written.
    bool OnSaveMix(uint32_t magic);
    // Asks for a file and loads it with messages shown. NotOpened when no file was chosen or it cannot
    // be opened (nothing is shown then); Loaded when its values were applied.
    MixLoadResult OnLoadMix(uint32_t magic);

private:
    MixFile& m_mix;
    FileDialogSink& m_files;
    MessageSink& m_messages;
};
