#include <gtest/gtest.h>

#include "platform/AudioHardware.h"
#include "platform/FireWireBus.h"
#include "platform/FireWireRawBus.h"
#include "platform/PrivilegedRunner.h"

// Nothing picks a backend behind the program's back: an interface used before one was installed stops
// the process.
TEST(PlatformInterfacesDeathTest, UsingOneWithNothingInstalledStopsWithAFailedAssertion)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* name;
        void (*use)();
    } interfaces[] = {
        {"FireWireBus", [] { GetFireWireBus(); }},
        {"FireWireRawBus", [] { GetFireWireRawBus(); }},
        {"AudioHardware", [] { GetAudioHardware(); }},
        {"PrivilegedRunner", [] { GetPrivilegedRunner(); }},
    };
    for (const auto& i : interfaces)
        EXPECT_DEATH(i.use(), std::string(i.name) + "\\.cpp:[0-9]+: failed assertion") << i.name;
}
