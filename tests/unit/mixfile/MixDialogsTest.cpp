#include "unit/mixfile/MixFixture.h"

#include "CtrlPanel/MixDialogs.h"
#include "support/QueuedFileDialogSink.h"

namespace {

class MixDialogsTest : public MixFileTest {
protected:
    QueuedFileDialogSink files;
    MixDialogs dialogs{mix, files, messages};
};

TEST_F(MixDialogsTest, SaveAsksWithTheProgramsTextsAndWritesThePathAsChosen)
{
    files.answers = {folder / "chosen"};
    EXPECT_TRUE(dialogs.OnSaveMix(MixFile::kMagic));
    ASSERT_EQ(files.requests.size(), 1u);
    const FileDialogRequest& r = files.requests[0];
    EXPECT_EQ(r.kind, FileDialogRequest::Save);
    EXPECT_EQ(r.message, "Save Velbrin Mix file");
    EXPECT_EQ(r.defaultDir, "");
    EXPECT_EQ(r.defaultFile, "Settings.vlbx");
    EXPECT_EQ(r.wildcard, "Velbrin Mix file (*.vlbx)|*.vlbx");
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"chosen"});  // no extension added
    EXPECT_EQ(stores, 1);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MixDialogsTest, ACancelledSaveWritesNothingAndShowsNothing)
{
    EXPECT_FALSE(dialogs.OnSaveMix(MixFile::kMagic));
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_EQ(stores, 0);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MixDialogsTest, AFailedSaveSaysSoWithTheFileAndTheReason)
{
    files.answers = {folder / "no-such-folder/mix.vlbx"};
    EXPECT_FALSE(dialogs.OnSaveMix(MixFile::kMagic));
    EXPECT_EQ(messages.messages,
              std::vector<std::string>{"Error|Could not save the mix file.\n\n" + folder / "no-such-folder/mix.vlbx" +
                                       ": cannot create a file in " + folder / "no-such-folder" +
                                       ": No such file or directory"});
    EXPECT_EQ(messages.styles[0], MessageStyle::Ok | MessageStyle::IconError);
}

TEST_F(MixDialogsTest, LoadAsksWithTheProgramsTextsAndReportsTheOutcome)
{
    SetDistinctValues();
    ASSERT_TRUE(mix.SaveMixFile(folder / "good.vlbx", MixFile::kMagic));
    std::vector<uint8_t> bad = TempFolder::Read(folder / "good.vlbx");
    bad.resize(1180, 0);
    TempFolder::Write(folder / "long.vlbx", bad);
    ResetAll(0.5f);

    files.answers = {"", folder / "missing.vlbx", folder / "long.vlbx", folder / "good.vlbx"};
    EXPECT_EQ(dialogs.OnLoadMix(MixFile::kMagic), MixLoadResult::NotOpened);
    EXPECT_EQ(dialogs.OnLoadMix(MixFile::kMagic), MixLoadResult::NotOpened);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialogs.OnLoadMix(MixFile::kMagic), MixLoadResult::WrongLength);
    EXPECT_EQ(messages.messages, std::vector<std::string>{kWrongLength});
    EXPECT_EQ(sets[0]->GetParameter(1), 0.5f);
    EXPECT_EQ(dialogs.OnLoadMix(MixFile::kMagic), MixLoadResult::Loaded);
    EXPECT_EQ(sets[0]->GetParameter(1), 0.001f);

    const FileDialogRequest& r = files.requests[0];
    EXPECT_EQ(r.kind, FileDialogRequest::Open);
    EXPECT_EQ(r.message, "Load Velbrin Mix file");
    EXPECT_EQ(r.defaultDir, "");
    EXPECT_EQ(r.defaultFile, "");
    EXPECT_EQ(r.wildcard, "Velbrin Mix file (*.vlbx)|*.[vV][lL][bB][xX]");  // "MIX.VLBX" too
}

}  // namespace
