#pragma once
// File questions asked with wxFileDialog, parented to the window the application names at the time of
// the dialog (the shown frame).

#include "platform/FileDialogSink.h"

#include <functional>

class wxWindow;

class WxFileDialogSink : public FileDialogSink {
public:
    // parent may be empty or return null: the dialog then has no parent.
    explicit WxFileDialogSink(std::function<wxWindow*()> parent = {});
    bool AskPath(const FileDialogRequest& request, std::string& path) override;

private:
    std::function<wxWindow*()> m_parent;
};
