// The desktop stand-ins that need no display: one copy per user, and starting the firmware updater.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/utils.h>

#include "platform/wx/DesktopLaunch.h"
#include "platform/wx/SingleInstance.h"
#include "support/TempFolder.h"

// A second process of the same user finds the lock; once the first has gone, the lock is free again.
TEST(SingleInstance, AnotherProcessHoldingTheLockIsSeen)
{
    const TempFolder folder;
    const std::string& runtime = folder.Path();
    ASSERT_FALSE(runtime.empty());
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance first("VelbrinControlTest");
        const char byte = first.IsAnotherRunning() ? 'n' : 'y';
        if (write(ready[1], &byte, 1) != 1)
            _exit(2);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    EXPECT_EQ(byte, 'y');
    {
        SingleInstance second("VelbrinControlTest");
        EXPECT_TRUE(second.IsAnotherRunning());
        SingleInstance otherProgram("SomethingElse");
        EXPECT_FALSE(otherProgram.IsAnotherRunning());
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    SingleInstance after("VelbrinControlTest");
    EXPECT_FALSE(after.IsAnotherRunning());
    close(ready[0]);
    close(ready[1]);
}

// A lock file that outlived its process, naming a process id now taken by some other program, is no
// copy of this one.
TEST(SingleInstance, ALeftLockFileNamingALiveProcessRefusesNothing)
{
    const TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    const std::string lock = folder / ("VelbrinControlTest-" + std::string(wxGetUserId().utf8_str()) + ".lock");
    {
        std::ofstream left(lock);
        left << getppid() << "\n";
    }
    ASSERT_EQ(chmod(lock.c_str(), 0600), 0);
    ASSERT_EQ(kill(getppid(), 0), 0);
    SingleInstance first("VelbrinControlTest");
    EXPECT_FALSE(first.IsAnotherRunning());
}

TEST(StartProgram, StartsAnExecutableAndRefusesWhatIsNone)
{
    const TempFolder temp;
    const std::string& folder = temp.Path();
    ASSERT_FALSE(folder.empty());
    const std::string marker = temp / "started";
    const std::string program = temp / "updater";
    {
        std::ofstream script(program);
        script << "#!/bin/sh\ntouch '" << marker << "'\n";
    }
    EXPECT_FALSE(StartProgram(program));  // not executable yet
    ASSERT_EQ(chmod(program.c_str(), 0700), 0);
    EXPECT_FALSE(StartProgram(folder + "/missing"));
    EXPECT_FALSE(StartProgram(folder));
    ASSERT_TRUE(StartProgram(program));
    for (int i = 0; i < 200 && access(marker.c_str(), F_OK) != 0; ++i)
        usleep(10000);
    EXPECT_EQ(access(marker.c_str(), F_OK), 0);
    EXPECT_FALSE(ProgramFolder().empty());
    EXPECT_EQ(ProgramFolder().back() == '/', false);
}
