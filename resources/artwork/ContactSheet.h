#pragma once
// Pictures for people: every bitmap with its name and size on one sheet, and each window's backdrop
// with its controls' rectangles outlined. The windows as their controls draw them are the previews'
// (tools/previews).

#include <string>

#include "resources/artwork/ArtworkSet.h"

// Writes sheet.png and window-<Name>.png into folder (created when missing).
// Returns false when a file cannot be written.
bool WriteContactSheets(const ArtworkSet& set, const std::string& folder);
