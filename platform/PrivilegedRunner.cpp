#include "platform/PrivilegedRunner.h"

#include "platform/sim/SimPrivilegedRunner.h"

#include <atomic>

namespace {
std::atomic<PrivilegedRunner*> g_runner{nullptr};
}

PrivilegedRunner& GetPrivilegedRunner()
{
    PrivilegedRunner* runner = g_runner.load();
    return runner ? *runner : SimPrivilegedRunner::Default();
}

void SetPrivilegedRunner(PrivilegedRunner* runner) { g_runner.store(runner); }
