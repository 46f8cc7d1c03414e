#pragma once
// Pictures for people: every bitmap with its name and size on one sheet, each window's backdrop
// with its controls' rectangles outlined, and each window composed the way its controls compose
// themselves (demonstration values), so the artwork can be judged as the program will show it.

#include <string>

#include "resources/artwork/ArtworkSet.h"

// Writes sheet.png, window-<Name>.png and preview-<Name>.png into folder (created when missing).
// Returns false when a file cannot be written.
bool WriteContactSheets(const ArtworkSet& set, const std::string& folder);
