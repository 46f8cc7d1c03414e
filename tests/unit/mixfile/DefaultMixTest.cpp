#include "unit/mixfile/MixFixture.h"

#include "CtrlPanel/DefaultMix.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/stat.h>

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
    DefaultMix defaultMix{mix, messages};
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
        DefaultMix fresh(mix, messages);
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

// Whatever the default mix is (sound, damaged, missing), a session that started from a rejected
// command-line file changes neither file: its mix goes beside the default mix, and a box says where.
TEST_F(DefaultMixTest, ARejectedCommandLineFileAndTheDefaultMixStayAsTheyAreAndTheMixGoesBesideIt)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    const std::string file = folder / "given.vlbx";
    const std::vector<uint8_t> corrupt = CorruptImage();
    const std::vector<uint8_t> sound = mix.BuildMixImage(2, 1);
    const struct {
        const char* what;
        const std::vector<uint8_t>* defaultMix;  // null: none
    } cases[] = {{"a sound default mix", &sound}, {"a damaged default mix", &corrupt}, {"no default mix", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder / "config");
        messages.messages.clear();
        DefaultMix session(mix, messages);
        session.SetDefaultMixPath();
        const std::string defaultFile = session.GetPath();
        if (c.defaultMix)
            TempFolder::Write(defaultFile, *c.defaultMix);
        TempFolder::Write(file, corrupt);
        session.SetCommandLinePath(file);

        EXPECT_EQ(session.LoadAtStart(), MixLoadResult::Corrupt);
        EXPECT_EQ(messages.messages, std::vector<std::string>{kCorrupt});
        SetDistinctValues();
        EXPECT_TRUE(session.SaveAtExit());
        EXPECT_EQ(TempFolder::Read(file), corrupt);
        if (c.defaultMix) {
            EXPECT_EQ(TempFolder::Read(defaultFile), *c.defaultMix);
        } else {
            EXPECT_FALSE(std::filesystem::exists(defaultFile));
        }
        EXPECT_FALSE(std::filesystem::exists(defaultFile + ".bak"));
        const std::string beside = session.SessionFile(file);
        EXPECT_EQ(std::filesystem::path(beside).parent_path(), std::filesystem::path(defaultFile).parent_path());
        ASSERT_EQ(messages.messages.size(), 2u);
        EXPECT_NE(messages.messages[1].find(file + " could not be read"), std::string::npos) << messages.messages[1];
        EXPECT_NE(messages.messages[1].find("saved as " + beside + "."), std::string::npos) << messages.messages[1];
        ResetAll(0.5f);
        EXPECT_EQ(mix.LoadMixFile(beside, false), MixLoadResult::Loaded);
        EXPECT_EQ(sets[7]->GetParameter(6), 0.7f + 0.006f);
    }

    // A save the user asks for over it is theirs to make; the file then is ours again.
    ASSERT_TRUE(mix.SaveMixFile(file, MixFile::kMagic));
    DefaultMix session(mix, messages);
    session.SetCommandLinePath(file);
    EXPECT_TRUE(session.SaveAtExit());
    EXPECT_EQ(TempFolder::Read(file).size(), 1176u);
}

TEST_F(DefaultMixTest, ARejectedDefaultMixIsKeptOnceAsBakBeforeTheFirstWriteOverIt)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    defaultMix.SetDefaultMixPath();
    const std::string file = defaultMix.GetPath();
    const std::vector<uint8_t> corrupt = CorruptImage();
    TempFolder::Write(file, corrupt);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const mode_t mask = umask(022);
    ResetAll(0.5f);
    const auto before = Snapshot();

    EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(Snapshot(), before);

    ASSERT_TRUE(defaultMix.SaveAtExit());
    umask(mask);
    EXPECT_EQ(TempFolder::Read(file + ".bak"), corrupt);
    EXPECT_EQ(TempFolder::Read(file).size(), 1176u);
    // The copy of a private file is as private as the file.
    struct stat info;
    ASSERT_EQ(stat((file + ".bak").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

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

// The damaged default mix stays, the user is told, and every session of that file puts its mix in the
// one session file beside it; a name taken by anything but a mix file is left alone.
TEST_F(DefaultMixTest, ABakThatCannotBeMadeKeepsTheRejectedFileAndTheMixGoesToItsSessionFile)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
    defaultMix.SetDefaultMixPath();
    const std::string file = defaultMix.GetPath();
    const std::string beside = defaultMix.SessionFile(file);
    EXPECT_EQ(beside.rfind(file.substr(0, file.size() - 5) + ".session-", 0), 0u) << beside;
    const std::vector<uint8_t> corrupt = CorruptImage();
    TempFolder::Write(file, corrupt);
    std::filesystem::create_directories(file + ".bak/inside");  // the backup cannot replace a folder
    const auto configFolder = std::filesystem::path(file).parent_path();

    for (int session = 0; session < 3; ++session) {
        SCOPED_TRACE(session);
        messages.messages.clear();
        EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
        EXPECT_TRUE(defaultMix.SaveAtExit());
        EXPECT_EQ(TempFolder::Read(file), corrupt);
        EXPECT_EQ(TempFolder::Read(beside).size(), 1176u);
        ASSERT_EQ(messages.messages.size(), 1u);
        const std::string& box = messages.messages[0];
        EXPECT_NE(box.find(file + ".bak: cannot replace the file: Is a directory"), std::string::npos) << box;
        EXPECT_NE(box.find("saved as " + beside + "."), std::string::npos) << box;
        EXPECT_EQ(messages.styles[0], MessageStyle::Ok | MessageStyle::IconError);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(configFolder), {}), 3);  // mix, .bak, session
    }

    const std::string outside = folder / "outside";
    const struct {
        const char* what;
        std::function<void()> take;
    } others[] = {
        {"a file that is no mix", [&] { TempFolder::Write(beside, {'n', 'o', 't', 'e', 's', 0, 0, 0, 1}); }},
        {"a link to a file", [&] { std::filesystem::create_symlink(outside, beside); }},
        {"a folder", [&] { std::filesystem::create_directories(beside + "/inside"); }},
    };
    for (const auto& other : others) {
        SCOPED_TRACE(other.what);
        std::filesystem::remove_all(beside);
        TempFolder::Write(outside, {'x'});
        other.take();
        const auto kind = std::filesystem::symlink_status(beside).type();
        const std::vector<uint8_t> held = kind == std::filesystem::file_type::regular ? TempFolder::Read(beside)
                                                                                        : std::vector<uint8_t>{};
        messages.messages.clear();
        EXPECT_EQ(defaultMix.LoadAtStart(), MixLoadResult::Corrupt);
        EXPECT_FALSE(defaultMix.SaveAtExit());
        EXPECT_EQ(std::filesystem::symlink_status(beside).type(), kind);
        if (kind == std::filesystem::file_type::regular) {
            EXPECT_EQ(TempFolder::Read(beside), held);
        }
        EXPECT_EQ(TempFolder::Read(outside), std::vector<uint8_t>{'x'});
        EXPECT_EQ(TempFolder::Read(file), corrupt);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_NE(messages.messages[0].find(beside + " is taken by something else."), std::string::npos)
            << messages.messages[0];
    }
}

// Whatever keeps the mix from being written at exit is shown in one box that names the file and the
// system's reason; nothing else is changed.
TEST_F(DefaultMixTest, ASaveAtExitThatFailsIsShownWithTheFileAndTheReason)
{
    struct Failure {
        const char* what;
        std::function<std::string(DefaultMix&)> arrange;  // the file that cannot be written
        std::string reason;
    };
    std::unique_ptr<FileSizeLimit> limit;
    const std::vector<Failure> failures = {
        {"a full disk",
         [&](DefaultMix&) {
             limit = std::make_unique<FileSizeLimit>(500);  // the image is 1176 bytes
             return folder / "config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx";
         },
         "cannot write: File too large"},
        {"the default mix is a folder",
         [&](DefaultMix&) {
             const std::string file = folder / "config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx";
             std::filesystem::create_directories(file + "/inside");
             return file;
         },
         "cannot replace the file: Is a directory"},
        {"the configuration folder cannot be made",
         [&](DefaultMix&) {
             TempFolder::Write(folder / "config", {'x'});
             return folder / "config/VelbrinControl/com.brennimar.VelbrinDefault.vlbx";
         },
         "cannot create the folder " + folder / "config/VelbrinControl: Not a directory"},
        {"a command-line file in a missing folder",
         [&](DefaultMix& atExit) {
             atExit.SetCommandLinePath(folder / "gone/given.vlbx");
             return folder / "gone/given.vlbx";
         },
         "cannot create a file in " + folder / "gone: No such file or directory"},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        std::filesystem::remove_all(folder / "config");
        messages.messages.clear();
        messages.styles.clear();
        ScopedEnv xdg("XDG_CONFIG_HOME", (folder / "config").c_str());
        DefaultMix atExit(mix, messages);
        const std::string file = failure.arrange(atExit);
        atExit.SetDefaultMixPath();
        EXPECT_FALSE(atExit.SaveAtExit());
        limit.reset();
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0], std::string("Error|Could not save the mix file.\n\n") + file + ": " +
                                            failure.reason + "\n\nThis session's mix is not saved.");
        EXPECT_EQ(messages.styles[0], MessageStyle::Ok | MessageStyle::IconError);
        EXPECT_FALSE(std::filesystem::is_regular_file(file));
    }
}

TEST_F(DefaultMixTest, NothingIsWrittenWhenWritingAtExitIsOff)
{
    defaultMix.SetCommandLinePath(folder / "given.vlbx");
    defaultMix.DisableWriteOnExit();
    EXPECT_FALSE(defaultMix.SaveAtExit());
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
