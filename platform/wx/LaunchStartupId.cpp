#include "platform/wx/LaunchStartupId.h"

#include <cstdlib>

#include <gtk/gtk.h>
#include <wx/window.h>

std::string TakeLaunchStartupId()
{
    if (const char* id = std::getenv("DESKTOP_STARTUP_ID"); id && *id) {
        unsetenv("XDG_ACTIVATION_TOKEN");
        return id;
    }
    std::string token;
    if (const char* id = std::getenv("XDG_ACTIVATION_TOKEN"))
        token = id;
    unsetenv("XDG_ACTIVATION_TOKEN");
    return token;
}

void RaiseForLaunch(wxWindow* frame, const std::string& startupId)
{
    if (!frame)
        return;
    // On a window already shown this sets the window's startup id and user time from the id and sends
    // the launcher's "remove"; the raise that follows then counts as the launch's.
    GtkWidget* widget = frame->GetHandle();
    if (!startupId.empty() && widget && GTK_IS_WINDOW(widget))
        gtk_window_set_startup_id(GTK_WINDOW(widget), startupId.c_str());
    frame->Raise();
}
