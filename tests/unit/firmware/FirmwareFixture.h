#pragma once
// The firmware updater against a simulated Velbrin on a simulated bus, with the recording
// privileged runner and a test clock; and firmware files built for it.

#include <gtest/gtest.h>

#include "CtrlPanel/firmware/FirmwareUpdater.h"
#include "FirmwareFile.h"
#include "platform/ByteOrder.h"
#include "platform/MainThread.h"
#include "platform/sim/SimBackends.h"
#include "platform/sim/SimClock.h"
#include "platform/sim/SimFireWireBus.h"
#include "platform/sim/SimFireWireRawBus.h"
#include "platform/sim/SimPrivilegedRunner.h"
#include "platform/sim/SimVelbrin.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// A command frame as the unit received it.
struct SentFrame {
    uint32_t deviceId;
    uint16_t sequence;
    uint8_t command;
    uint8_t sub;
    std::vector<uint8_t> bytes;
    uint32_t Arg(int offset) const { return GetLE32(bytes.data() + offset); }
};

// A test clock that can look at the engine whenever it is asked to wait.
class SamplingClock : public SimClock {
public:
    void SleepMs(uint32_t ms) override
    {
        SimClock::SleepMs(ms);
        if (sample)
            sample();
    }
    std::function<void()> sample;
};

// Installs a clock for the lifetime of the object.
struct ClockInstall {
    explicit ClockInstall(Clock* clock) { SetClock(clock); }
    ~ClockInstall() { SetClock(nullptr); }
};

class FirmwareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SimBackends::Install(&bus, &raw, nullptr, &runner);
        bus.Plug(&unit);
        DrainMainThreadQueue();
        updater = std::make_unique<FirmwareUpdater>();
        updater->SetMessageSink([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(messageLock);
            messages.push_back(line);
        });
    }

    void TearDown() override
    {
        clock.sample = nullptr;
        updater.reset();
        DrainMainThreadQueue();
        SimBackends::Uninstall();
    }

    std::vector<SentFrame> Frames() const
    {
        std::vector<SentFrame> out;
        for (const auto& f : unit.flash.Frames())
            out.push_back({GetLE32(f.data()), uint16_t(f[4] | f[5] << 8), f[6], f[7], f});
        return out;
    }

    std::vector<uint8_t> Commands() const
    {
        std::vector<uint8_t> out;
        for (const SentFrame& f : Frames())
            out.push_back(f.command);
        return out;
    }

    bool Said(const std::string& line) const
    {
        std::lock_guard<std::mutex> lock(messageLock);
        return std::find(messages.begin(), messages.end(), line) != messages.end();
    }

    static std::vector<std::string> Unload(const std::string& driver)
    {
        return {kDriverTool, "-r", "--", driver};
    }
    static std::vector<std::string> Load(const std::string& driver) { return {kDriverTool, "--", driver}; }

    // The clock outlives the bus, whose ticker reads it.
    SamplingClock clock;
    ClockInstall clockInstall{&clock};
    SimPrivilegedRunner runner;
    SimFireWireBus bus;
    SimVelbrin unit;
    SimFireWireRawBus raw{bus};
    std::unique_ptr<FirmwareUpdater> updater;
    mutable std::mutex messageLock;
    std::vector<std::string> messages;
};
