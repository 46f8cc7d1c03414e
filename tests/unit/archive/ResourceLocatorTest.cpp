#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "PAL/ResourceArchive.h"
#include "PAL/ResourceLocator.h"
#include "unit/archive/TestArchive.h"

namespace {

// Sets VELBRIN_RESOURCES for the lifetime of the object and restores the previous value.
struct ScopedResourcesVariable {
    explicit ScopedResourcesVariable(const char* value)
    {
        if (const char* old = std::getenv("VELBRIN_RESOURCES")) {
            hadOld = true;
            oldValue = old;
        }
        if (value)
            setenv("VELBRIN_RESOURCES", value, 1);
        else
            unsetenv("VELBRIN_RESOURCES");
    }
    ~ScopedResourcesVariable()
    {
        if (hadOld)
            setenv("VELBRIN_RESOURCES", oldValue.c_str(), 1);
        else
            unsetenv("VELBRIN_RESOURCES");
    }
    bool hadOld = false;
    std::string oldValue;
};

std::string ExecutableFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return std::string();
    path[n] = '\0';
    std::string s(path);
    return s.substr(0, s.rfind('/'));
}

}  // namespace

TEST(ResourceLocator, TriesTheEnvironmentThenBesideTheProgramThenShareThenTheBuildTree)
{
    const ScopedResourcesVariable variable("/somewhere/Mine.res");
    const std::vector<std::string> expected = {
        "/somewhere/Mine.res",
        ExecutableFolder() + "/ProjectResources.res",
        "/usr/share/velbrincontrol/ProjectResources.res",
        std::string(VELBRIN_BUILD_DIR) + "/resources/ProjectResources.res",
    };
    EXPECT_EQ(ResourceLocator::Candidates(), expected);

    const ScopedResourcesVariable unset(nullptr);
    EXPECT_EQ(ResourceLocator::Candidates(), std::vector<std::string>(expected.begin() + 1, expected.end()));
}

TEST(ResourceLocator, OpensTheArchiveTheEnvironmentNames)
{
    char pattern[] = "/tmp/velbrin-locator-XXXXXX";
    const int fd = mkstemp(pattern);
    ASSERT_GE(fd, 0);
    const std::vector<uint8_t> image = MakeArchive({{"Marker.txt", Bytes("from the environment"), 0}});
    ASSERT_EQ(write(fd, image.data(), image.size()), ssize_t(image.size()));
    close(fd);
    {
        const ScopedResourcesVariable variable(pattern);
        EXPECT_EQ(ResourceLocator::Find(), pattern);
        EXPECT_TRUE(OpenProjectResources());
        uint32_t size = 0;
        const uint8_t* data = GetResourceData("Marker.txt", size);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "from the environment");
    }
    std::remove(pattern);
    ResourceArchive::Global().Clear();
}

TEST(ResourceLocator, PassesOverAnEnvironmentPathThatIsNoFile)
{
    const ScopedResourcesVariable variable("/nonexistent/ProjectResources.res");
    EXPECT_NE(ResourceLocator::Find(), "/nonexistent/ProjectResources.res");
    const ScopedResourcesVariable folder("/tmp");
    EXPECT_NE(ResourceLocator::Find(), "/tmp");
}
