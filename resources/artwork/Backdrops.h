#pragma once
// The window backdrops, with the resting look of every control their layout tables place, and the
// bitmaps that are cut from or drawn to match a backdrop (lamps on flat display plates, covers).

#include "resources/artwork/ArtworkSet.h"

void AddBackdrops(ArtworkSet& set);
void AddCovers(ArtworkSet& set);
