#include "platform/wx/KeepAbove.h"

#include <algorithm>
#include <utility>

#include <wx/toplevel.h>

#include <gtk/gtk.h>

namespace {

GtkWindow* DesktopWindow(wxTopLevelWindow& window)
{
    GtkWidget* widget = window.GetHandle();
    return widget && GTK_IS_WINDOW(widget) ? GTK_WINDOW(widget) : nullptr;
}

// Asks for the window on top, without the focus; nothing for a window that is not shown.
void RaiseShown(GtkWindow* window)
{
    if (gtk_widget_get_mapped(GTK_WIDGET(window)))
        gdk_window_raise(gtk_widget_get_window(GTK_WIDGET(window)));
}

}  // namespace

void KeepAbove(wxTopLevelWindow& window, wxTopLevelWindow& owner)
{
    GtkWindow* gtkWindow = DesktopWindow(window);
    GtkWindow* gtkOwner = DesktopWindow(owner);
    if (gtkWindow && gtkOwner && gtk_window_get_transient_for(gtkWindow) != gtkOwner)
        gtk_window_set_transient_for(gtkWindow, gtkOwner);
}

void KeepAllAbove(const std::vector<wxTopLevelWindow*>& windows, wxTopLevelWindow& owner)
{
    GtkWindow* gtkOwner = DesktopWindow(owner);
    if (!gtkOwner)
        return;
    for (wxTopLevelWindow* window : windows)
        if (window)
            KeepAbove(*window, owner);
    // Window managers differ in where a new transient goes among the owner's others: the owner and
    // then each shown window are raised, lowest first.
    RaiseShown(gtkOwner);
    for (wxTopLevelWindow* window : windows)
        if (GtkWindow* gtkWindow = window ? DesktopWindow(*window) : nullptr)
            RaiseShown(gtkWindow);
}

void SortByStacking(std::vector<wxTopLevelWindow*>& windows)
{
    GList* stack = gdk_screen_get_window_stack(gdk_screen_get_default());
    std::vector<std::pair<int, wxTopLevelWindow*>> places;
    for (wxTopLevelWindow* window : windows) {
        GtkWindow* gtkWindow = window ? DesktopWindow(*window) : nullptr;
        GdkWindow* gdkWindow = gtkWindow ? gtk_widget_get_window(GTK_WIDGET(gtkWindow)) : nullptr;
        places.emplace_back(gdkWindow ? g_list_index(stack, gdkWindow) : -1, window);
    }
    g_list_free_full(stack, g_object_unref);
    std::stable_sort(places.begin(), places.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < windows.size(); ++i)
        windows[i] = places[i].second;
}
