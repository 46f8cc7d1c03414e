#include "unit/mixfile/MixFixture.h"

#include "CtrlPanel/DefaultMix.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Sets an environment variable while it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        const char* old = getenv(name);
        m_had = old != nullptr;
        if (m_had)
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    std::string m_old;
};

class DefaultMixTest : public MixFileTest {
protected:
    std::vector<uint8_t> CorruptImage()
    {
        std::vector<uint8_t> bytes = mix.BuildMixImage(2, 1);
        bytes[600] ^= 1;
        return bytes;
    }
    DefaultMix defaultMix{mix};
};

TEST_F(DefaultMixTest, TheDefaultMixLiesInTheXdgConfigFolderWhichIsCreated)
{
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
        defaultMix.SetDefaultMixPath();
    }
    EXPECT_EQ(defaultMix.GetPath(), folder / "config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "config/VelbrinControl"));
    EXPECT_TRUE(defaultMix.IsSilent());

    // Set once: a later call keeps the path.
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "other").c_str());
    defaultMix.SetDefaultMixPath();
    EXPECT_EQ(defaultMix.GetPath(), folder / "config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx");
}

TEST_F(DefaultMixTest, WithoutAnAbsoluteXdgConfigHomeTheHomeConfigFolderIsUsed)
{
    for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        SCOPED_TRACE(xdg ? xdg : "(unset)");
        ScopedEnv home("HOME", (folder / "home").c_str());
        ScopedEnv config("XDG_CONFIG_HOME", xdg);
        DefaultMix fresh(mix);
        fresh.SetDefaultMixPath();
        EXPECT_EQ(fresh.GetPath(), folder / "home/.config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx");
    }
}

TEST_F(DefaultMixTest, ACommandLineFileReplacesThePathAndIsWrittenAtExit)
{
    const std::string file = folder / "given.vlbx";
    defaultMix.SetCommandLinePath(file);
    defaultMix.SetDefaultMixPath();
    EXPECT_EQ(defaultMix.GetPath(), file);
    EXPECT_FALSE(defaultMix.IsSilent());

    // Missing: nothing shown at start, created at exit.
    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::NotOpened);
    SetDistinctValues();
    EXPECT_TRUE(defaultMix.SaveAtExit());
    EXPECT_EQ(TempFolder::Read(file).size(), 1176u);

    // Present and sound: loaded, and written back at exit.
    ResetAll(0.5f);
    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Loaded);
    EXPECT_EQ(sets[7]->GetParameter(6), 0.7f + 0.006f);
    EXPECT_TRUE(defaultMix.SaveAtExit());
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DefaultMixTest, ARejectedCommandLineFileIsReportedAndLeftByteIdenticalAtExit)
{
    const std::string file = folder / "given.vlbx";
    const std::vector<uint8_t> corrupt = CorruptImage();
    TempFolder::Write(file, corrupt);
    defaultMix.SetCommandLinePath(file);

    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
    EXPECT_EQ(messages.messages, std::vector<std::string>{kCorrupt});
    EXPECT_FALSE(defaultMix.SaveAtExit());
    EXPECT_EQ(TempFolder::Read(file), corrupt);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"given.vlbx"});
    EXPECT_EQ(stores, 0);

    // A save the user asks for over it is theirs to make; the file then is ours again.
    ASSERT_TRUE(mix.SaveMixFile(file, MixFile::kMagic));
    EXPECT_TRUE(defaultMix.SaveAtExit());
}

TEST_F(DefaultMixTest, ARejectedDefaultMixIsKeptOnceAsBakBeforeTheFirstWriteOverIt)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    defaultMix.SetDefaultMixPath();
    const std::string file = defaultMix.GetPath();
    const std::vector<uint8_t> corrupt = CorruptImage();
    TempFolder::Write(file, corrupt);
    ResetAll(0.5f);
    const auto before = Snapshot();

    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(Snapshot(), before);

    ASSERT_TRUE(defaultMix.SaveAtExit());
    EXPECT_EQ(TempFolder::Read(file + ".bak"), corrupt);
    EXPECT_EQ(TempFolder::Read(file).size(), 1176u);

    // Once: the next write does not copy the (now sound) file again.
    std::filesystem::remove(file + ".bak");
    ASSERT_TRUE(defaultMix.SaveAtExit());
    EXPECT_FALSE(std::filesystem::exists(file + ".bak"));
}

TEST_F(DefaultMixTest, ASoundOrMissingDefaultMixGetsNoBak)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    defaultMix.SetDefaultMixPath();
    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::NotOpened);
    ASSERT_TRUE(defaultMix.SaveAtExit());
    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Loaded);
    ASSERT_TRUE(defaultMix.SaveAtExit());
    EXPECT_FALSE(std::filesystem::exists(defaultMix.GetPath() + ".bak"));
}

TEST_F(DefaultMixTest, ABakThatCannotBeWrittenKeepsTheRejectedFile)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    defaultMix.SetDefaultMixPath();
    const std::string file = defaultMix.GetPath();
    const std::vector<uint8_t> corrupt = CorruptImage();
    TempFolder::Write(file, corrupt);
    std::filesystem::create_directories(file + ".bak/inside");  // the backup cannot replace a folder

    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
    EXPECT_FALSE(defaultMix.SaveAtExit());
    EXPECT_EQ(TempFolder::Read(file), corrupt);
}

TEST_F(DefaultMixTest, NothingIsWrittenWhenWritingAtExitIsOff)
{
    defaultMix.SetCommandLinePath(folder / "given.vlbx");
    defaultMix.DisableWriteOnExit();
    EXPECT_FALSE(defaultMix.SaveAtExit());
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
