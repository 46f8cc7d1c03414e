#pragma once
// What every program with windows does before wxWidgets starts.

// GTK is to use its X11 backend (the live pointer and modifiers need it): sets GDK_BACKEND=x11 unless
// the environment already names a backend. Call before wxWidgets initialises.
void UseX11Backend();
