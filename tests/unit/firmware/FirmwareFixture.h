#pragma once
// The firmware updater against a simulated Velbrin on a simulated bus, with the recording
// privileged runner and a test clock; and firmware files built for it.

#include <gtest/gtest.h>

#include "CtrlPanel/firmware/FirmwareUpdater.h"
#include "platform/ByteOrder.h"
#include "platform/MainThread.h"
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

// One image of a firmware file to build.
struct ImagePlan {
    int slot;               // kImageMain, kImageSecond or kImageCnE
    uint32_t length;
    uint32_t flashAddress;  // ignored for CnE
    bool wrongChecksum = false;
};

// A firmware file: header, then the images in the order given, each at the next 0x100 boundary.
struct FirmwareFile {
    std::vector<uint8_t> bytes;
    FirmwareImageTable table;

    std::vector<uint8_t> Payload(int slot) const
    {
        const FirmwareImageEntry& e = table[slot];
        return {bytes.begin() + e.fileOffset, bytes.begin() + e.fileOffset + e.length};
    }

    static FirmwareFile Build(const std::vector<ImagePlan>& images)
    {
        FirmwareFile f;
        f.bytes.assign(0x100, 0);
        uint8_t* h = f.bytes.data();
        PutLE32(h, FirmwareImageHeader::kMagic);
        memcpy(h + 8, "22016002", 8);   // 10/22/2006
        memcpy(h + 16, "xy705431", 8);  // 13:45:07
        for (int w = 0; w < 4; ++w)
            PutLE32(h + 0x18 + 4 * w, 0x01010000u + uint32_t(w));
        memcpy(h + 0x60, "Velbrin firmware for the simulated unit....", 43);
        for (const ImagePlan& plan : images) {
            const uint32_t offset = uint32_t(f.bytes.size());
            std::vector<uint8_t> payload(plan.length);
            for (uint32_t i = 0; i < plan.length; ++i)
                payload[i] = uint8_t(i * 7 + plan.slot * 61 + (i >> 8) * 13);
            uint32_t checksum = SimFlashProtocol::Checksum(payload.data(), payload.size());
            if (plan.wrongChecksum)
                checksum ^= 1;
            f.bytes.insert(f.bytes.end(), payload.begin(), payload.end());
            f.bytes.resize((f.bytes.size() + 0xFF) & ~size_t(0xFF), 0);
            h = f.bytes.data();
            uint8_t* row = h + 0x30 + 0x10 * plan.slot;
            PutLE32(row, offset);
            PutLE32(row + 4, plan.flashAddress);
            PutLE32(row + 8, plan.length);
            PutLE32(row + 12, checksum);
            FirmwareImageEntry& e = f.table[plan.slot];
            e = {offset, plan.length, checksum,
                 plan.slot == kImageCnE ? FirmwareImageHeader::kCnEFlashAddress : plan.flashAddress};
        }
        return f;
    }
};

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
        SetFireWireRawBus(&raw);
        SetPrivilegedRunner(&runner);
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
        SetPrivilegedRunner(nullptr);
        SetFireWireRawBus(nullptr);
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
