#include "unit/mixfile/MixFixture.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// Temporary files of a save killed before its commit go with the next save of the same file, whatever
// their number; one that a writer still holds (locked), and every file not named as a temporary, stay.
TEST_F(MixSaveTest, ASaveRemovesTheTemporaryFilesOfItsFileThatNoWriterHolds)
{
    const pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
    const std::string gone = std::to_string(dead);
    const std::string temporary = ".mix.vlbx.unfinished-save.";
    const std::string held = temporary + gone + "-3";  // a live save in another pid namespace
    const std::vector<std::string> removed = {temporary + gone + "-0", temporary + std::to_string(getpid()) + "-17"};
    const std::vector<std::string> kept = {
        held,
        ".mix.vlbx." + gone + "-0",
        ".mix.vlbx.2024-12",
        ".other.vlbx.unfinished-save." + gone + "-0",
        temporary + gone + "-0.x",
        temporary + "notes",
    };
    for (const auto& list : {removed, kept})
        for (const std::string& name : list)
            TempFolder::Write(folder / name, {'t'});
    const int writer = open((folder / held).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(writer, LOCK_EX), 0);

    ASSERT_TRUE(mix.SaveMixFile(path, MixFile::kMagic));
    close(writer);
    std::vector<std::string> expected = kept;
    expected.push_back("mix.vlbx");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Names(), expected);
}

// Another user's link in a world-writable sticky folder is not followed, whether it names a file of the
// user's or a name where one would be created.
TEST_F(MixSaveTest, AnotherUsersLinkInASharedFolderIsRefused)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can plant a link as another user";
    constexpr uid_t kOther = 54321;
    const std::string shared = folder / "shared";
    const std::string link = shared + "/planted.vlbx";
    ASSERT_EQ(chmod(folder.Path().c_str(), 0755), 0);
    ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    for (const std::string& to : {path, folder / "absent.vlbx"}) {
        SCOPED_TRACE(to);
        std::filesystem::remove(link);
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(kOther) != 0 || setuid(kOther) != 0)
                _exit(2);
            _exit(symlink(to.c_str(), link.c_str()) == 0 ? 0 : 3);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
            GTEST_SKIP() << "this machine does not let a process become uid " << kOther;
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        EXPECT_FALSE(mix.SaveMixFile(link, MixFile::kMagic));
        EXPECT_EQ(mix.SaveError(), link + ": cannot follow its links: another user's link in a shared folder");
        EXPECT_EQ(TempFolder::Read(path), old);
        EXPECT_FALSE(std::filesystem::exists(folder / "absent.vlbx"));
        EXPECT_EQ(folder.Names(), (std::vector<std::string>{"mix.vlbx", "shared"}));
        EXPECT_TRUE(std::filesystem::is_symlink(link));
    }
}

// A FIFO or a device is refused, by its own name or behind a link, and stays what it is.
TEST_F(MixSaveTest, ATargetThatIsNotARegularFileIsRefusedAndLeftAsItIs)
{
    struct Target {
        const char* what;
        std::string given;  // the path saved to
        std::string node;   // what it names
    };
    const std::string real = std::filesystem::canonical(folder.Path());
    ASSERT_EQ(mkfifo((folder / "fifo.vlbx").c_str(), 0644), 0);
    // Where device nodes cannot be made, a FIFO stands in.
    if (mknod((folder / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        ASSERT_EQ(mkfifo((folder / "null").c_str(), 0666), 0);
    }
    ASSERT_EQ(symlink((folder / "null").c_str(), (folder / "link.vlbx").c_str()), 0);
    const std::vector<Target> targets = {
        {"a FIFO", folder / "fifo.vlbx", folder / "fifo.vlbx"},
        {"a device behind a link", folder / "link.vlbx", real + "/null"},
    };
    const std::vector<std::string> names = folder.Names();
    for (const Target& target : targets) {
        SCOPED_TRACE(target.what);
        struct stat before, after;
        ASSERT_EQ(stat(target.node.c_str(), &before), 0);
        EXPECT_FALSE(mix.SaveMixFile(target.given, MixFile::kMagic));
        EXPECT_EQ(mix.SaveError(), target.node + ": cannot replace the file: not a regular file");
        ASSERT_EQ(stat(target.node.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(folder.Names(), names);
    }
    EXPECT_EQ(stores, 0);
}

// The temporary file is its owner's alone while it is written; the saved file gets the permission bits
// of the file it replaces, never setuid, setgid or sticky, or 0666 less the umask when it is new.
TEST_F(MixSaveTest, ATemporaryFileIsPrivateAndASavedFileGetsOnlyPermissionBits)
{
    struct Case {
        const char* what;
        int before;  // the target's mode, -1 when it is new
        mode_t after;
    };
    const std::vector<Case> cases = {
        {"setuid", 04750, 0750},
        {"setgid and sticky", 03664, 0664},
        {"new", -1, 0640},
    };
    const mode_t mask = umask(027);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string target = folder / "target.vlbx";
        std::filesystem::remove(target);
        if (c.before >= 0) {
            TempFolder::Write(target, old);
            ASSERT_EQ(chmod(target.c_str(), mode_t(c.before)), 0);
        }
        AtomicFile file(target);
        ASSERT_TRUE(file.Open()) << file.Error();
        ASSERT_TRUE(file.Write("new\n", 4));
        std::string temporary;
        for (const std::string& name : folder.Names())
            if (name.find("target.vlbx.") != std::string::npos)
                temporary = folder / name;
        struct stat info;
        ASSERT_EQ(stat(temporary.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        ASSERT_TRUE(file.Commit()) << file.Error();
        ASSERT_EQ(stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after);
    }
    umask(mask);
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
