#include "platform/wx/ModalDialogs.h"

#include <algorithm>

#include <gtk/gtk.h>
#include <wx/defs.h>
#include <wx/dialog.h>

namespace {

// GTK's own questions over a dialog (the file chooser asks before overwriting) run a loop of their own
// inside the dialog's: they are answered first, or the dialog's loop cannot unwind.
void CancelQuestionsOver(GtkWindow* parent)
{
    // The list holds no references of its own; a response may end a loop that destroys a window.
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next)
        g_object_ref(item->data);
    for (GList* item = windows; item; item = item->next) {
        GtkWindow* window = GTK_WINDOW(item->data);
        if (window != parent && GTK_IS_DIALOG(window) && gtk_window_get_transient_for(window) == parent &&
            gtk_widget_get_visible(GTK_WIDGET(window)))
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
    }
    g_list_free_full(windows, g_object_unref);
}

}  // namespace

ModalDialogs::ModalDialogs()
{
    Register();
}

ModalDialogs::~ModalDialogs()
{
    Unregister();
}

void ModalDialogs::EndAll()
{
    std::vector<wxDialog*> ended;
    for (auto it = m_running.rbegin(); it != m_running.rend(); ++it) {
        wxDialog* dialog = *it;
        if (std::find(ended.begin(), ended.end(), dialog) != ended.end())
            continue;
        ended.push_back(dialog);
        // A native dialog (the message box, the file chooser) is a GtkDialog that ends on a response;
        // the toolkit's own dialogs end through EndModal.
        GtkWidget* widget = static_cast<GtkWidget*>(dialog->GetHandle());
        if (widget && GTK_IS_DIALOG(widget)) {
            CancelQuestionsOver(GTK_WINDOW(widget));
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
        } else if (dialog->IsModal()) {
            dialog->EndModal(wxID_CANCEL);
        }
    }
}

int ModalDialogs::Enter(wxDialog* dialog)
{
    m_running.push_back(dialog);
    return wxID_NONE;
}

void ModalDialogs::Exit(wxDialog* dialog)
{
    auto it = std::find(m_running.rbegin(), m_running.rend(), dialog);
    if (it != m_running.rend())
        m_running.erase(std::next(it).base());
}
