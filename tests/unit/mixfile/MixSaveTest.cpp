#include "unit/mixfile/MixFixture.h"

#include "platform/AtomicFile.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Lets files of this process grow to at most limit bytes while it lives: a write past it fails
// (EFBIG) as on a full disk, whoever runs the test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit reduced = m_saved;
        reduced.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &reduced);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved;
    void (*m_handler)(int);
};

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

TEST_F(MixSaveTest, ALinkedTargetStaysALinkAndItsFileIsReplaced)
{
    const std::string link = folder / "link.vlbx";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    ASSERT_TRUE(mix.SaveMixFile(link, MixFile::kMagic));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(path).size(), 1176u);
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
