#include "platform/PrivilegedRunner.h"

#include "platform/Assert.h"

#include <atomic>

namespace {
std::atomic<PrivilegedRunner*> g_runner{nullptr};
}

PrivilegedRunner& GetPrivilegedRunner()
{
    PrivilegedRunner* runner = g_runner.load();
    VELBRIN_ASSERT(runner != nullptr);
    return *runner;
}

void SetPrivilegedRunner(PrivilegedRunner* runner) { g_runner.store(runner); }
