#pragma once
// The toolkit's modal dialogs while their loops run (message boxes, file dialogs, any other), as the
// toolkit's modal-dialog hook reports them, and a way to end them all as their Cancel would. A window
// that parents a running dialog must outlive its loop: whoever closes windows asks Any() first.
// GUI thread only.

#include <vector>

#include <wx/modalhook.h>

class ModalDialogs : public wxModalDialogHook {
public:
    // Registered with the toolkit for the object's lifetime.
    ModalDialogs();
    ~ModalDialogs() override;
    ModalDialogs(const ModalDialogs&) = delete;
    ModalDialogs& operator=(const ModalDialogs&) = delete;

    bool Any() const { return !m_running.empty(); }
    // Ends every running dialog, innermost first, and the toolkit's own questions over one (a file
    // dialog's overwrite confirmation). Each ShowModal returns wxID_CANCEL once its loop has unwound,
    // which is after this call returns.
    void EndAll();

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;

private:
    std::vector<wxDialog*> m_running;  // innermost last; a dialog whose ShowModal nests the base's twice
};
