#pragma once
// Stacking of panel windows over a main window on the desktop. GUI thread only.

#include <vector>

class wxTopLevelWindow;

// Makes window the owner's transient: the window manager keeps it above the owner (a click on the
// owner does not bury it). Nothing while either has no desktop window.
void KeepAbove(wxTopLevelWindow& window, wxTopLevelWindow& owner);
// Makes every window the owner's transient, then brings a shown owner and over it each shown window
// to the top, in the order given (lowest first), without taking the focus.
void KeepAllAbove(const std::vector<wxTopLevelWindow*>& windows, wxTopLevelWindow& owner);
// Orders windows as the desktop stacks them now, lowest first. Windows it does not stack (hidden
// ones; all of them without a window manager that tells) come first, in the order they had.
void SortByStacking(std::vector<wxTopLevelWindow*>& windows);
