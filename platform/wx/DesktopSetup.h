#pragma once
// What every program with windows does before and right after wxWidgets starts.

// GTK is to use its X11 backend (the live pointer and modifiers need it): sets GDK_BACKEND=x11 unless
// the environment already names a backend. Call before wxWidgets initialises.
void UseX11Backend();

// A failed wxWidgets check prints its condition and stops the program, in every build, instead of
// opening a modal dialog.
void FailOnWxAssert();
