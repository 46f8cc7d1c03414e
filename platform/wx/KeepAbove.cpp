#include "platform/wx/KeepAbove.h"

#include <wx/toplevel.h>

#include <gtk/gtk.h>

namespace {

GtkWindow* DesktopWindow(wxTopLevelWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    return widget && GTK_IS_WINDOW(widget) ? GTK_WINDOW(widget) : nullptr;
}

}  // namespace

void KeepAbove(wxTopLevelWindow& window, wxTopLevelWindow& owner)
{
    GtkWindow* gtkWindow = DesktopWindow(window);
    GtkWindow* gtkOwner = DesktopWindow(owner);
    if (gtkWindow && gtkOwner && gtk_window_get_transient_for(gtkWindow) != gtkOwner)
        gtk_window_set_transient_for(gtkWindow, gtkOwner);
}

void RaiseWithTransients(wxTopLevelWindow& owner)
{
    GtkWindow* gtkOwner = DesktopWindow(owner);
    if (gtkOwner && gtk_widget_get_mapped(GTK_WIDGET(gtkOwner)))
        gdk_window_raise(gtk_widget_get_window(GTK_WIDGET(gtkOwner)));
}
