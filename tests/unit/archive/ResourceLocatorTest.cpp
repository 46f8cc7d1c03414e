#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "PAL/ResourceArchive.h"
#include "PAL/ResourceLocator.h"
#include "platform/DebugLog.h"
#include "support/TempFolder.h"
#include "unit/archive/TestArchive.h"

namespace {

// Sets VELBRIN_RESOURCES (null: unsets it) for the lifetime of the object, then restores it.
struct ScopedResourcesVariable {
    explicit ScopedResourcesVariable(const char* value)
    {
        if (const char* now = std::getenv("VELBRIN_RESOURCES"))
            old = now;
        Set(value);
    }
    ~ScopedResourcesVariable() { Set(old ? old->c_str() : nullptr); }
    static void Set(const char* value)
    {
        value ? setenv("VELBRIN_RESOURCES", value, 1) : unsetenv("VELBRIN_RESOURCES");
    }
    std::optional<std::string> old;
};

}  // namespace

TEST(ResourceLocator, TriesTheEnvironmentThenShareThenBesideTheProgramThenTheBuildTree)
{
    char executable[4096] = {};
    ASSERT_GT(readlink("/proc/self/exe", executable, sizeof executable - 1), 0);
    const std::string folder = std::string(executable).substr(0, std::string(executable).rfind('/'));
    const ScopedResourcesVariable variable("/somewhere/Mine.res");
    const std::string prefix = folder.substr(0, folder.rfind('/'));
    const std::vector<std::string> expected = {"/somewhere/Mine.res", prefix + "/share/velbrincontrol/ProjectResources.res",
                                               folder + "/ProjectResources.res",
                                               std::string(VELBRIN_BUILD_DIR) + "/resources/ProjectResources.res"};
    EXPECT_EQ(ResourceLocator::Candidates(), expected);
    const ScopedResourcesVariable unset(nullptr);
    EXPECT_EQ(ResourceLocator::Candidates(), std::vector<std::string>(expected.begin() + 1, expected.end()));
}

TEST(ResourceLocator, OpensTheArchiveTheEnvironmentNamesAndPassesOverOneThatIsNoFile)
{
    const TempFolder folder;
    const std::string file = folder / "Marker.res";
    TempFolder::Write(file, MakeArchive({{"Marker.txt", Bytes("from the environment"), 0}}));
    {
        const ScopedResourcesVariable variable(file.c_str());
        EXPECT_EQ(ResourceLocator::Find(), file);
        EXPECT_EQ(OpenProjectResources(), 1u);
        uint32_t size = 0;
        const uint8_t* data = GetResourceData("Marker.txt", size);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), size), "from the environment");
        EXPECT_EQ(data, ResourceArchive::Global().Find("Marker.txt")->GetData());  // not a copy
        size = 99;
        EXPECT_EQ(GetResourceData("Missing.csv", size), nullptr);
        EXPECT_EQ(size, 0u);
        ResourceArchive::Global().Clear();
    }
    for (const char* path : {"/nonexistent/ProjectResources.res", "/tmp"}) {
        const ScopedResourcesVariable variable(path);
        EXPECT_NE(ResourceLocator::Find(), path);
    }
}

// An archive the environment names that is missing or unreadable is reported, naming it and what was
// wrong, and the next place (here the build tree's archive) is used; one that lacks window backdrops is
// used and reported as damaged.
TEST(ResourceLocator, AMissingOrGarbageArchiveFromTheEnvironmentIsReportedAndPassedOver)
{
    const TempFolder folder;
    const std::string garbage = folder / "garbage.res";
    const std::string good = folder / "good.res";
    TempFolder::Write(garbage, Bytes("Not an archive: a few words of text where the records should be.\n"));
    TempFolder::Write(good, MakeArchive({{"Background.bmp", Bytes("BM"), 0}, {"Knob.bmp", Bytes("BM"), 0}}));
    const std::vector<const char*> needed = {"Background.bmp", "Knob.bmp", "Fader.bmp"};
    const std::string built = std::string(VELBRIN_BUILD_DIR) + "/resources/ProjectResources.res";
    const struct {
        std::string path;
        std::string report;
    } cases[] = {
        {garbage, "The resource archive " + garbage + " cannot be used: it names 1315927072 resources"},
        {"/nonexistent/ProjectResources.res", "VELBRIN_RESOURCES names /nonexistent/ProjectResources.res, which is "
                                              "not a file.\n"},
    };
    for (const auto& c : cases) {
        const ScopedResourcesVariable variable(c.path.c_str());
        std::string report;
        const size_t usable = OpenProjectResources(&report);
        EXPECT_EQ(report.rfind(c.report, 0), 0u) << report;
        EXPECT_NE(report.find("The resource archive " + built + " is used instead.\n"), std::string::npos) << report;
        EXPECT_GT(usable, 10u);  // the built archive
        EXPECT_TRUE(ResourceArchive::Global().Missing({"Background.bmp"}).empty());
    }
    {
        const ScopedResourcesVariable variable(good.c_str());
        std::string report;
        EXPECT_EQ(OpenProjectResources(&report), 2u);
        EXPECT_EQ(report.rfind("The resource archive " + good + " is damaged: it lacks 11 of the 12 window "
                               "backdrops (BackgroundShrink.bmp, ",
                               0),
                  0u)
            << report;
        EXPECT_EQ(ResourceArchive::Global().Missing(needed), std::vector<std::string>{"Fader.bmp"});
        EXPECT_TRUE(ResourceArchive::Global().Missing({"Knob.bmp", "Background.bmp"}).empty());
    }
    {
        const ScopedResourcesVariable variable(nullptr);
        std::string report = "stale";
        EXPECT_GT(OpenProjectResources(&report), 10u);
        EXPECT_EQ(report, "");  // the build tree's archive, whole
    }
    ResourceArchive::Global().Clear();
}
