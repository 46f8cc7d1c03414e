#include <gtest/gtest.h>

#include "platform/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>

namespace {

std::string ReadText(const std::string& path)
{
    const std::vector<uint8_t> bytes = TempFolder::Read(path);
    return std::string(bytes.begin(), bytes.end());
}

void Append(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::app) << text;
}

FileDialogRequest Request(FileDialogRequest::Kind kind)
{
    FileDialogRequest r;
    r.kind = kind;
    r.message = kind == FileDialogRequest::Save ? "Save Velbrin Mix file" : "Load Velbrin Mix file";
    r.defaultFile = kind == FileDialogRequest::Save ? "Settings.vlbx" : "";
    return r;
}

TEST(ScriptedDialogsTest, EveryQuestionIsLoggedAsOneLineWithItsAnswer)
{
    TempFolder folder;
    const std::string log = folder / "dialogs.log";
    const std::string script = folder / "answers";
    Append(script, "path /tmp/x.vlbx\nno\ncancel\npath /tmp/y.vlbx\n");
    ScriptedDialogs dialogs(log, script);

    std::string path;
    EXPECT_TRUE(dialogs.AskPath(Request(FileDialogRequest::Save), path));
    EXPECT_EQ(path, "/tmp/x.vlbx");
    EXPECT_EQ(dialogs.ShowMessage("Quit?", "VelbrinControl", MessageStyle::YesNo), MessageAnswer::No);
    EXPECT_FALSE(dialogs.AskPath(Request(FileDialogRequest::Open), path));
    EXPECT_EQ(dialogs.ShowMessage("line 1\nline 2\tend", "Error", MessageStyle::Ok | MessageStyle::IconError),
              MessageAnswer::Ok);  // a path does not answer a box: its default button does
    EXPECT_EQ(ReadText(log),
              "save\tSave Velbrin Mix file\tSettings.vlbx\t/tmp/x.vlbx\n"
              "box\tVelbrinControl\tQuit?\tno\n"
              "open\tLoad Velbrin Mix file\t\tcancel\n"
              "box\tError\tline 1\\nline 2\\tend\tok\n");
}

TEST(ScriptedDialogsTest, WithoutAnswersBoxesTakeTheirDefaultButtonAndFileDialogsAreCancelled)
{
    TempFolder folder;
    ScriptedDialogs dialogs(folder / "log", "");
    std::string path = "unchanged";
    EXPECT_FALSE(dialogs.AskPath(Request(FileDialogRequest::Save), path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(dialogs.ShowMessage("t", "c", MessageStyle::Ok), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.ShowMessage("t", "c", MessageStyle::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(dialogs.ShowMessage("t", "c", MessageStyle::YesNo | MessageStyle::NoDefault), MessageAnswer::No);
}

TEST(ScriptedDialogsTest, AnswersAppendedWhileRunningAreTaken)
{
    TempFolder folder;
    const std::string script = folder / "answers";
    ScriptedDialogs dialogs(folder / "log", script);
    std::string path;
    EXPECT_FALSE(dialogs.AskPath(Request(FileDialogRequest::Open), path));  // no script yet
    Append(script, "path /a\n");
    EXPECT_TRUE(dialogs.AskPath(Request(FileDialogRequest::Open), path));
    EXPECT_EQ(path, "/a");
}

TEST(ScriptedDialogsTest, TheEnvironmentChoosesThem)
{
    unsetenv("VELBRIN_TEST_DIALOGS");
    EXPECT_EQ(ScriptedDialogs::FromEnvironment(), nullptr);
    TempFolder folder;
    setenv("VELBRIN_TEST_DIALOGS", (folder / "log").c_str(), 1);
    auto dialogs = ScriptedDialogs::FromEnvironment();
    unsetenv("VELBRIN_TEST_DIALOGS");
    ASSERT_NE(dialogs, nullptr);
    dialogs->ShowMessage("hello", "VelbrinControl", MessageStyle::Ok);
    EXPECT_EQ(ReadText(folder / "log"), "box\tVelbrinControl\thello\tok\n");
}

}  // namespace
