#pragma once
// The program's message and file-dialog sinks: the scripted ones when VELBRIN_TEST_DIALOGS is set
// (platform/ScriptedDialogs.h; a "show" answer there shows that one for real), else the toolkit's
// boxes and dialogs, parented to the window that parent returns when each is shown. GUI thread only.

#include "platform/FileDialogSink.h"
#include "platform/MessageSink.h"

#include <functional>
#include <memory>

class ModalDialogs;
class ScriptedDialogs;
class WxFileDialogSink;
class WxMessageSink;
class wxWindow;

class DialogSinks {
public:
    explicit DialogSinks(std::function<wxWindow*()> parent);
    ~DialogSinks();
    DialogSinks(const DialogSinks&) = delete;
    DialogSinks& operator=(const DialogSinks&) = delete;

    MessageSink& Messages();
    FileDialogSink& Files();

    // True while a modal dialog of the toolkit runs its loop: the windows that may parent it stay.
    bool IsShowing() const;
    // Ends every running dialog as its Cancel would (see ModalDialogs::EndAll).
    void EndShown();

private:
    std::unique_ptr<ModalDialogs> m_modal;
    std::unique_ptr<WxMessageSink> m_messages;
    std::unique_ptr<WxFileDialogSink> m_files;
    std::unique_ptr<ScriptedDialogs> m_scripted;
};
