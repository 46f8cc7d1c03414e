#pragma once
// A simulated Velbrin on a simulated bus, installed as the program's bus, with a test clock.

#include <gtest/gtest.h>

#include "platform/MainThread.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimVelbrin.h"

class SimBusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimBackends::Install(&bus);
        bus.Plug(&unit);
        DrainMainThreadQueue();
    }
    void TearDown() override
    {
        DrainMainThreadQueue();
        SimBackends::Uninstall();
    }

    ScopedSimClock clock;
    SimFireWireBus bus;
    SimVelbrin unit;
};
