#pragma once
// Stacking of panel windows over a main window on the desktop. GUI thread only.

class wxTopLevelWindow;

// Makes window the owner's transient: the window manager keeps it above the owner (a click on the
// owner does not bury it). Nothing while either has no desktop window.
void KeepAbove(wxTopLevelWindow& window, wxTopLevelWindow& owner);
// Brings a shown owner to the top without taking the focus; the window manager stacks the owner's
// transients above it, in their order.
void RaiseWithTransients(wxTopLevelWindow& owner);
