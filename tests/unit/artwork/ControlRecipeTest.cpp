// The generator draws each control by its class's recipe: a class that the layout tables place
// without one would get no resting look in its window's backdrop.

#include <gtest/gtest.h>

#include <string>

#include "PAL/LayoutTables.h"
#include "resources/artwork/ControlRecipe.h"

TEST(ControlRecipes, EveryClassInTheLayoutTablesHasARecipe)
{
    for (int w = 0; w < kLayoutWindowCount; ++w) {
        const LayoutTable& t = GetLayoutTable(LayoutWindow(w));
        for (int i = 0; i < t.count; ++i)
            EXPECT_NE(FindControlRecipe(t.records[i].className), nullptr)
                << t.name << " record " << i << ": " << t.records[i].className;
    }
}
