// velbrin-driver-helper: the privileged side of the driver commands (see DriverHelper.h).
#include "platform/helper/DriverHelper.h"

#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    // A vanished caller ends the helper through a failed write, not a signal.
    signal(SIGPIPE, SIG_IGN);
    DriverHelper::Options options;
    if (!DriverHelper::ParseArguments({argv + 1, argv + argc}, &options)) {
        fprintf(stderr, "usage: %s [--tool /path] [--command-ms n] [--idle-ms n]\n", DriverHelper::kProgramName);
        return 2;
    }
    DriverHelper(options).Serve(0, 1);
    return 0;
}
