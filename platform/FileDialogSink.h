#pragma once
// Where the program asks the user for a file to save to or load from. The desktop shows the toolkit's
// file dialog (platform/wx/WxFileDialogSink); end-to-end runs log the question and answer from a
// script (ScriptedDialogs); unit tests answer from a queue. GUI thread only.

#include <string>

struct FileDialogRequest {
    enum Kind { Save, Open };
    Kind kind = Open;
    std::string message;      // the dialog's title
    std::string defaultDir;   // empty: the toolkit's choice
    std::string defaultFile;
    std::string wildcard;     // "Description (*.ext)|*.ext"
    bool overwritePrompt = false;  // Save only: confirm before choosing an existing file
};

class FileDialogSink {
public:
    virtual ~FileDialogSink() = default;
    // True with path set when the user chose a file; false when the dialog was cancelled.
    virtual bool AskPath(const FileDialogRequest& request, std::string& path) = 0;
};
