#pragma once
// Loads the built ProjectResources.res into the global archive for tests that draw real artwork.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "PAL/BitmapCache.h"
#include "PAL/ResourceArchive.h"

inline std::string RealArchivePath()
{
    const char* dir = getenv("VELBRIN_BINARY_DIR");
    return std::string(dir ? dir : VELBRIN_BUILD_DIR) + "/resources/ProjectResources.res";
}

// Loads once per test binary; false (and a test failure) when the archive is not there.
inline bool LoadRealArchive()
{
    static bool loaded = false;
    if (!loaded)
        loaded = ResourceArchive::Global().Load(RealArchivePath().c_str()) > 0;
    EXPECT_TRUE(loaded) << RealArchivePath();
    return loaded;
}
