#include "unit/mixfile/MixFixture.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class MixSaveTest : public MixFileTest {
protected:
    void SetUp() override
    {
        path = folder / "mix.vlbx";
        old = {'o', 'l', 'd', '\n'};
        TempFolder::Write(path, old);
    }
    std::string path;
    std::vector<uint8_t> old;
};

TEST_F(MixSaveTest, AFailingWriteLeavesTheOldFileAndNoTemporaryFile)
{
    {
        FileSizeLimit limit(500);  // the image is 1176 bytes
        EXPECT_FALSE(mix.SaveMixFile(path, MixFile::kMagic));
    }
    EXPECT_EQ(TempFolder::Read(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"mix.vlbx"});
    // The same save goes through once the disk has room.
    EXPECT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));
    EXPECT_EQ(TempFolder::Read(path).size(), 1176u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"mix.vlbx"});
}

TEST_F(MixSaveTest, AFailingRenameLeavesTheTargetAndNoTemporaryFile)
{
    const std::string target = folder / "a-folder.vlbx";
    std::filesystem::create_directories(target + "/inside");
    EXPECT_FALSE(mix.SaveMixFile(target, MixFile::kMagic));
    EXPECT_TRUE(std::filesystem::is_directory(target + "/inside"));
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"a-folder.vlbx", "mix.vlbx"}));
}

// Every link of the chain stays a link; the file at its end is replaced, or created when missing.
TEST_F(MixSaveTest, ALinkedTargetStaysALinkAndTheFileItNamesIsWritten)
{
    struct Chain {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;  // name -> what it names
        std::string file;                                        // where the mix lands
    };
    const std::string absent = folder / "absent.vlbx";
    const std::vector<Chain> chains = {
        {"to the existing file", {{"link.vlbx", path}}, path},
        {"dangling, absolute", {{"link.vlbx", absent}}, absent},
        {"dangling, relative", {{"link.vlbx", "sub/absent.vlbx"}}, folder / "sub/absent.vlbx"},
        {"a chain ending nowhere", {{"link.vlbx", "second.vlbx"}, {"second.vlbx", absent}}, absent},
    };
    std::filesystem::create_directories(folder / "sub");
    for (const Chain& chain : chains) {
        SCOPED_TRACE(chain.what);
        for (const auto& [name, to] : chain.links) {
            std::filesystem::remove(folder / name);
            ASSERT_EQ(symlink(to.c_str(), (folder / name).c_str()), 0);
        }
        ASSERT_TRUE(mix.SaveMixFile(folder / "link.vlbx", MixFile::kMagic)) << mix.SaveError();
        for (const auto& link : chain.links)
            EXPECT_TRUE(std::filesystem::is_symlink(folder / link.first));
        EXPECT_EQ(TempFolder::Read(chain.file).size(), 1176u);
        std::filesystem::remove(chain.file);
    }
}

// Temporary files of a save killed before its commit go with the next save of the same file; those of
// living processes and of other files stay.
TEST_F(MixSaveTest, ASaveRemovesTheTemporaryFilesOfItsFileThatNoProcessOwns)
{
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const std::string gone = std::to_string(dead);
    const std::string parent = std::to_string(getppid());
    const std::string self = std::to_string(getpid());
    const std::vector<std::string> removed = {".mix.vlbx." + gone + "-0", ".mix.vlbx." + gone + "-17"};
    const std::vector<std::string> kept = {
        ".mix.vlbx." + parent + "-0", ".mix.vlbx." + self + "-40", ".other.vlbx." + gone + "-0",
        ".mix.vlbx." + gone + "-0.x", ".mix.vlbx.x" + gone + "-0",
    };
    for (const auto& list : {removed, kept})
        for (const std::string& name : list)
            TempFolder::Write(folder / name, {'t'});

    ASSERT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));
    std::vector<std::string> expected = kept;
    expected.push_back("mix.vlbx");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Names(), expected);
}

TEST_F(MixSaveTest, AReplacedFileKeepsItsPermissions)
{
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicFileTest, NothingCommittedNothingChanged)
{
    TempFolder folder;
    const std::string path = folder / "f";
    TempFolder::Write(path, {'a'});
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("bbbb", 4));
        EXPECT_EQ(folder.Names().size(), 2u);  // the temporary file beside the target
    }
    EXPECT_EQ(TempFolder::Read(path), std::vector<uint8_t>{'a'});
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f"});

    AtomicFile unopened(path);
    EXPECT_FALSE(unopened.Write("x", 1));
    EXPECT_FALSE(unopened.Commit());
    EXPECT_FALSE(unopened.Error().empty());
    EXPECT_EQ(TempFolder::Read(path), std::vector<uint8_t>{'a'});
}

}  // namespace
