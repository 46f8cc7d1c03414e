// velbrin-driver-helper: the privileged side of the driver commands (see DriverHelper.h).
#include "platform/helper/DriverHelper.h"

#include <csignal>
#include <cstdio>

#ifdef VELBRIN_HELPER_ANY_TOOL
constexpr bool kAnyTool = true;  // the build the tests start, never installed: their tool is a stand-in
#else
constexpr bool kAnyTool = false;
#endif

int main(int argc, char** argv)
{
    // A vanished caller ends the helper through a failed write, not a signal.
    signal(SIGPIPE, SIG_IGN);
    DriverHelper::Options options;
    if (!DriverHelper::ParseArguments({argv + 1, argv + argc}, kAnyTool, &options)) {
        fprintf(stderr, "usage: %s [--tool %s] [--command-ms n] [--idle-ms n] (n from 1 to %u)\n",
                DriverHelper::kProgramName, kAnyTool ? "/path" : kDriverTool, unsigned(DriverHelper::kBoundLimitMs));
        return 2;
    }
    DriverHelper(options).Serve(0, 1);
    return 0;
}
