#include <gtest/gtest.h>

#include "platform/SystemPrivilegedRunner.h"
#include "platform/helper/DriverHelper.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Nothing here runs a real privileged command: pkexec and the driver tool are unprivileged
// stand-ins written into a temporary folder, and the real helper is started through them.
class SystemPrivilegedRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        // Records its start, its pid (the helper's once it execs) and its descriptors, then becomes
        // the program as pkexec does.
        WriteScript("pkexec", "echo \"$*\" >>" + (folder / "pkexec.log") + "\n" +
                                  "echo $$ >" + (folder / "helper.pid") + "\n" +
                                  "ls /proc/$$/fd >" + (folder / "fds") + "\n" + "exec \"$@\"\n");
        // The driver tool: logs its arguments; "fails-*" fails with 3, "hangs" never ends.
        WriteScript("modprobe", "echo \"$*\" >>" + (folder / "tool.log") + "\n" +
                                    "for name; do :; done\n"
                                    "case \"$name\" in\n"
                                    "  fails-*) exit 3 ;;\n"
                                    "  hangs) echo $$ >" + (folder / "hang.pid") + "; exec sleep 30 ;;\n"
                                    "esac\n");
    }

    void WriteScript(const std::string& name, const std::string& body)
    {
        std::ofstream(folder / name) << "#!/bin/sh\n" << body;
        chmod((folder / name).c_str(), 0755);
    }

    SystemPrivilegedRunner::Config Config() const
    {
        SystemPrivilegedRunner::Config c;
        c.pkexec = folder / "pkexec";
        c.helper = HelperPath();
        c.tool = folder / "modprobe";
        c.commandMs = 5000;
        c.authorizeMs = 10000;
        return c;
    }

    static std::string HelperPath()
    {
        const char* dir = getenv("VELBRIN_BINARY_DIR");
        return std::string(dir ? dir : VELBRIN_BUILD_DIR) + "/" + DriverHelper::kProgramName;
    }

    std::vector<std::string> Lines(const std::string& name) const
    {
        std::ifstream in(folder / name);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    pid_t Pid(const std::string& name) const
    {
        const std::vector<std::string> lines = Lines(name);
        return lines.empty() ? 0 : pid_t(std::stol(lines.front()));
    }

    static bool Gone(pid_t pid) { return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH; }

    TempFolder folder;
};

TEST_F(SystemPrivilegedRunnerTest, GoesThroughPkexecUnlessRoot)
{
    SystemPrivilegedRunner::Config c = Config();
    c.pkexec = SystemPrivilegedRunner::kPkexec;
    const std::vector<std::string> options = {"--tool", c.tool, "--command-ms", "5000", "--idle-ms", "3600000"};
    std::vector<std::string> expected = {SystemPrivilegedRunner::kPkexec, c.helper};
    expected.insert(expected.end(), options.begin(), options.end());
    EXPECT_EQ(SystemPrivilegedRunner(c).CommandLine(), expected);
    c.pkexec.clear();
    expected.erase(expected.begin());
    EXPECT_EQ(SystemPrivilegedRunner(c).CommandLine(), expected);
    EXPECT_EQ(SystemPrivilegedRunner::DefaultConfig().pkexec.empty(), geteuid() == 0);
}

TEST_F(SystemPrivilegedRunnerTest, OneAuthorizationCarriesEveryDriverCommandOfAnUpdate)
{
    // A descriptor of the caller that is not close-on-exec must not reach the helper.
    const int stray = dup2(open("/dev/null", O_RDONLY), 100);
    ASSERT_EQ(stray, 100);
    SystemPrivilegedRunner runner(Config());
    ASSERT_TRUE(runner.Authorize()) << runner.Error();
    EXPECT_TRUE(runner.Authorize()) << "held: nothing is asked again";
    close(stray);

    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Unload, "snd-a"), 0);
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Unload, "fails-b"), 3);
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Load, "fails-b"), 3);
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Load, "snd-a"), 0);
    for (const char* name : {"", "a b", "x\nunload y", "$(reboot)", "../snd"})
        EXPECT_EQ(runner.RunDriverCommand(DriverAction::Unload, name), -1) << name;

    const pid_t helper = Pid("helper.pid");
    runner.EndAuthorization();
    EXPECT_TRUE(Gone(helper)) << "the helper ends with its input";
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Load, "snd-a"), -1) << "no rights after the update";

    EXPECT_EQ(Lines("pkexec.log").size(), 1u) << "one start of the helper, one password";
    EXPECT_EQ(Lines("tool.log"), (std::vector<std::string>{"-r -- snd-a", "-r -- fails-b", "-- fails-b", "-- snd-a"}));
    const std::vector<std::string> fds = Lines("fds");
    EXPECT_EQ(std::count(fds.begin(), fds.end(), "100"), 0);
}

TEST_F(SystemPrivilegedRunnerTest, ACommandPastItsBoundIsEndedOnThePrivilegedSide)
{
    SystemPrivilegedRunner::Config c = Config();
    c.commandMs = 300;
    SystemPrivilegedRunner runner(c);
    ASSERT_TRUE(runner.Authorize()) << runner.Error();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Unload, "hangs"), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    // The caller never knew the tool's pid: the helper ended it, and goes on serving.
    EXPECT_TRUE(Gone(Pid("hang.pid")));
    EXPECT_EQ(runner.RunDriverCommand(DriverAction::Load, "snd-a"), 0);
}

struct RefusalCase {
    const char* what;
    const char* pkexecBody;  // the stand-in's script, or nullptr for no pkexec at all
    bool helperMissing;
    const char* error;       // part of the error text
};

TEST_F(SystemPrivilegedRunnerTest, ARefusedOrUnansweredRequestForRightsRunsNothing)
{
    const RefusalCase cases[] = {
        {"prompt dismissed", "exit 126\n", false, "dismissed"},
        {"not authorised", "exit 127\n", false, "refused"},
        {"no answer in time", "exec sleep 30\n", false, "No answer"},
        {"no pkexec", nullptr, false, "is missing"},
        {"no helper", "exec \"$@\"\n", true, "helper"},
    };
    for (const RefusalCase& k : cases) {
        SCOPED_TRACE(k.what);
        SystemPrivilegedRunner::Config c = Config();
        c.authorizeMs = 500;
        c.pkexec = folder / "refusing-pkexec";
        unlink(c.pkexec.c_str());
        if (k.pkexecBody)
            WriteScript("refusing-pkexec", k.pkexecBody);
        if (k.helperMissing)
            c.helper = folder / "no-such-helper";
        SystemPrivilegedRunner runner(c);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(runner.Authorize());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_NE(runner.Error().find(k.error), std::string::npos) << runner.Error();
        EXPECT_EQ(runner.RunDriverCommand(DriverAction::Unload, "snd-a"), -1);
    }
    EXPECT_TRUE(Lines("tool.log").empty());
}

TEST_F(SystemPrivilegedRunnerTest, TheHelperCarriesOutOnlyTheDriverCommandsOfItsList)
{
    DriverHelper::Options options;
    options.tool = folder / "modprobe";
    DriverHelper helper(options);
    const std::pair<const char*, int> requests[] = {
        {"unload snd_x-1", 0}, {"load fails-y", 3},       {"unload", -1},          {"unload a;b", -1},
        {"load --all", -1},    {"load x y", -1},          {"reboot", -1},          {"unload  x", -1},
        {"Load x", -1},        {"load /lib/x.ko", -1},    {"unload x\r", -1},
    };
    for (const auto& r : requests)
        EXPECT_EQ(helper.Handle(r.first), r.second) << r.first;
    EXPECT_EQ(Lines("tool.log"), (std::vector<std::string>{"-r -- snd_x-1", "-- fails-y"}));

    // Started through pkexec, the password runs the driver tool and nothing else.
    const std::vector<std::string> args = {"--tool", folder / "modprobe"};
    EXPECT_TRUE(DriverHelper::ParseArguments(args, &options));
    setenv("PKEXEC_UID", "1000", 1);
    EXPECT_FALSE(DriverHelper::ParseArguments(args, &options));
    EXPECT_TRUE(DriverHelper::ParseArguments({"--tool", kDriverTool}, &options));
    unsetenv("PKEXEC_UID");
}

}  // namespace
