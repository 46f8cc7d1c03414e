#include <gtest/gtest.h>

#include "platform/SystemPrivilegedRunner.h"
#include "platform/helper/ChildProcess.h"
#include "platform/helper/DriverHelper.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
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

    // The helper lies in a folder of the test's own, as the runner wants it: its owner's alone.
    SystemPrivilegedRunner::Config Config()
    {
        SystemPrivilegedRunner::Config c;
        c.pkexec = folder / "pkexec";
        c.helper = PlaceHelper(folder.Path());
        c.tool = folder / "modprobe";
        c.commandMs = 5000;
        c.authorizeMs = 10000;
        c.helperOwner = geteuid();
        return c;
    }

    // A copy of the tests' build of the helper in the folder; its path.
    static std::string PlaceHelper(const std::string& folderPath)
    {
        const std::string path = folderPath + "/" + DriverHelper::kProgramName;
        if (access(path.c_str(), F_OK) != 0)
            std::filesystem::copy_file(BuiltHelper("tests/velbrin-driver-helper-test"), path);
        chmod(path.c_str(), 0755);
        return path;
    }

    static std::string BuiltHelper(const std::string& name)
    {
        const char* dir = getenv("VELBRIN_BINARY_DIR");
        return std::string(dir ? dir : VELBRIN_BUILD_DIR) + "/" + name;
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
    const std::vector<std::string> options = {"--tool", c.tool, "--command-ms", "5000", "--idle-ms", "600000"};
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
}

struct SafetyCase {
    const char* what;
    mode_t above, folder, helper;  // modes of a folder above the helper's, its folder, the helper
    bool otherOwner;               // the runner trusts another user than the one the files belong to
    bool starts;
};

// A helper that someone other than its trusted owner could replace would run their program as root.
TEST_F(SystemPrivilegedRunnerTest, OnlyAHelperNoOneElseCanChangeIsStarted)
{
    const SafetyCase cases[] = {
        {"its owner's alone", 0755, 0755, 0755, false, true},
        {"a folder above open to all with the sticky bit", 01777, 0755, 0755, false, true},
        {"helper writable by its group", 0755, 0755, 0775, false, false},
        {"helper writable by others", 0755, 0755, 0757, false, false},
        {"its folder writable by its group", 0755, 0775, 0755, false, false},
        {"its folder open to all, even with the sticky bit", 0755, 01777, 0755, false, false},
        {"a folder above writable by others", 0757, 0755, 0755, false, false},
        {"another user's helper", 0755, 0755, 0755, true, false},
    };
    const std::string above = folder / "above", inner = above + "/bin";
    ASSERT_EQ(mkdir(above.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(inner.c_str(), 0755), 0);
    const std::string helper = PlaceHelper(inner);
    for (const SafetyCase& k : cases) {
        SCOPED_TRACE(k.what);
        chmod(above.c_str(), k.above);
        chmod(inner.c_str(), k.folder);
        chmod(helper.c_str(), k.helper);
        SystemPrivilegedRunner::Config c = Config();
        c.helper = helper;
        if (k.otherOwner)
            c.helperOwner = geteuid() + 1;
        SystemPrivilegedRunner runner(c);
        EXPECT_EQ(runner.Authorize(), k.starts) << runner.Error();
        if (!k.starts) {
            EXPECT_NE(runner.Error().find("is not safe to run as administrator"), std::string::npos) << runner.Error();
        }
        runner.EndAuthorization();
        EXPECT_EQ(Lines("pkexec.log").size(), k.starts ? 1u : 0u) << "refused before the password is asked for";
        unlink((folder / "pkexec.log").c_str());
    }
}

struct ArgumentCase {
    std::vector<std::string> args;
    bool anyTool;
    bool accepted;
};

// However the installed helper became root (pkexec, sudo, a setuid wrapper), it runs the driver tool
// and nothing else, and stays no longer than minutes.
TEST_F(SystemPrivilegedRunnerTest, TheInstalledHelperTakesOnlyTheDriverToolAndBoundsOfMinutes)
{
    const std::string standIn = folder / "modprobe";
    const std::string limit = std::to_string(DriverHelper::kBoundLimitMs);
    const std::string over = std::to_string(DriverHelper::kBoundLimitMs + 1);
    const ArgumentCase cases[] = {
        {{"--tool", kDriverTool}, false, true},
        {{"--tool", standIn}, false, false},
        {{"--tool", standIn}, true, true},
        {{"--command-ms", limit, "--idle-ms", limit}, false, true},
        {{"--command-ms", over}, false, false},
        {{"--idle-ms", over}, false, false},
        {{"--idle-ms", "950400000"}, false, false},
        {{"--command-ms", "0"}, false, false},
    };
    setenv("PKEXEC_UID", "1000", 1);
    for (const ArgumentCase& k : cases) {
        DriverHelper::Options options;
        EXPECT_EQ(DriverHelper::ParseArguments(k.args, k.anyTool, &options), k.accepted)
            << k.args[0] << " " << k.args[1] << (k.anyTool ? " (any tool)" : "");
    }
    unsetenv("PKEXEC_UID");

    // The program built for installing is the one that refuses.
    const int none = open("/dev/null", O_RDWR | O_CLOEXEC);
    ChildProcess helper;
    ASSERT_TRUE(helper.Start({BuiltHelper(DriverHelper::kProgramName), "--tool", standIn}, none, none, false));
    close(none);
    EXPECT_EQ(helper.Finish(5000, 1000), 2);
}

// Nothing of the caller's environment (loader or tool options, a path of its choice) reaches the tool.
TEST_F(SystemPrivilegedRunnerTest, TheDriverToolRunsWithAFixedEnvironment)
{
    WriteScript("env-tool", "env >" + (folder / "env") + "\n");
    const char* path = getenv("PATH");
    const std::string callerPath = path ? path : "/usr/bin:/bin";
    setenv("MODPROBE_OPTIONS", "--dry-run", 1);
    setenv("PATH", (folder.Path() + ":" + callerPath).c_str(), 1);
    DriverHelper::Options options;
    options.tool = folder / "env-tool";
    EXPECT_EQ(DriverHelper(options).Handle("load snd-a"), 0);
    setenv("PATH", callerPath.c_str(), 1);
    unsetenv("MODPROBE_OPTIONS");

    std::vector<std::string> seen;
    for (const std::string& line : Lines("env"))
        if (line.rfind("PWD=", 0) != 0)  // the stand-in's shell sets its own
            seen.push_back(line);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"LC_ALL=C", "PATH=/usr/sbin:/usr/bin:/sbin:/bin"}));
}

}  // namespace
