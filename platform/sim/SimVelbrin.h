#pragma once
// The simulated Velbrin as the program sees it over the bus: an item (register) store, the
// information block, and the quadlet, block and AV/C vendor-dependent transfers with their status
// codes. Tests script it (faults, refusals, delays, hangs, odd AV/C answers) and read its log of
// every transfer it served.
//
// Address map (48-bit FireWire addresses):
//   0x0001_0000_0000 + 4n      item n by quadlet (a 4-byte block write there writes item n)
//   0x0001_0001_0000           block write of {item, value} pairs, big-endian
//   0xFFFF_C802_0000 + 4w      information-block word w (0..25), read only
//
// Information-block words are kept as the program decodes them (word 13: major << 24 | minor << 16 |
// build). The unit presents them byte-reversed in quadlet reads, because the program stores each
// information word byte-reversed from the host-order quadlet it receives.
//
// Thread-safe: transfers may arrive from any thread; a transfer holds the unit's lock only while it
// touches the store, never while it is delayed or hung.

#include "platform/sim/SimFlashProtocol.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class SimXfer { ReadQuadlet, WriteQuadlet, WriteBlock, AVC };
constexpr int kSimXferKinds = 4;

struct SimPair {
    uint32_t item;
    uint32_t value;
    bool operator==(const SimPair& o) const { return item == o.item && value == o.value; }
};

struct SimTransaction {
    SimXfer kind = SimXfer::ReadQuadlet;
    uint64_t address = 0;           // 0 for AV/C
    uint32_t length = 0;            // bytes carried (command length for AV/C)
    uint8_t ctype = 0;              // AV/C only: 0x00 CONTROL, 0x01 STATUS
    std::vector<SimPair> pairs;     // items touched, with the values written or answered
    int status = 0;
    std::thread::id thread;
    uint64_t timeMs = 0;            // the program's clock when the transfer ended
};

// How the unit answers AV/C item-access frames.
enum class SimAvcAnswer {
    Normal,         // STABLE for STATUS, ACCEPTED for CONTROL
    Rejected,       // response code REJECTED, the frame echoed
    Short,          // an 8-byte answer with no pairs
    RewriteItems,   // STATUS answers carry item numbers shifted by the rewrite offset
};

constexpr uint64_t kSimItemBase = 0x000100000000ull;
constexpr uint64_t kSimBlockWriteAddress = 0x000100010000ull;
constexpr uint64_t kSimInfoBlockAddress = 0xFFFFC8020000ull;
constexpr int kSimInfoWords = 26;
// Company id 0x5D3B, chip-id byte 0x01, model word 0x0001: the identity the program accepts.
constexpr uint64_t kSimDefaultGuid = 0x005D3B0100012345ull;

constexpr uint8_t kAvcControl = 0x00;
constexpr uint8_t kAvcStatus = 0x01;
constexpr uint8_t kAvcNotImplemented = 0x08;
constexpr uint8_t kAvcAccepted = 0x09;
constexpr uint8_t kAvcRejected = 0x0A;
constexpr uint8_t kAvcStable = 0x0C;

class SimFireWireBus;

// What the unit's surroundings (its audio device) follow.
struct SimUnitState {
    bool onBus = false;
    bool dspBooted = false;
    int dspMode = 2;
    bool externalClock = false;
};

class SimVelbrin {
public:
    explicit SimVelbrin(uint64_t guid = kSimDefaultGuid);
    virtual ~SimVelbrin();

    // --- identity as the bus registry shows it ---
    uint64_t Guid() const { return m_guid; }
    std::string vendorName = "Brennimar";
    std::string productName = "Velbrin";
    bool publishGuid = true;
    bool publishNodeId = true;
    // As the raw side of the bus matches it: its registry ids and the kernel drivers bound to it, in
    // the order they can be unloaded. Its flash protocol answers the raw block transfers.
    uint32_t vendorId = 0x5D3B;
    uint32_t productId = 0;
    std::vector<std::string> drivers = {"snd-velbrin-remote", "snd-velbrin"};
    SimFlashProtocol flash{this};

    // --- device state (not logged, no faults) ---
    uint32_t GetItem(uint32_t item) const;
    void SetItem(uint32_t item, uint32_t value);
    uint32_t InfoWord(int word) const;
    void SetInfoWord(int word, uint32_t value);
    void SetFirmwareVersion(uint32_t major, uint32_t minor, uint32_t build);

    // --- scripting ---
    // The next count transfers of this kind fail with code (before touching the store).
    void FailNext(SimXfer kind, int count, int code);
    // Refused kinds fail every time with kFwUnsupported: quadlet reads and writes of the item space
    // (the information block still reads), or 4-byte block writes (the capability probe).
    void RefuseQuadletRead(bool refuse);
    void RefuseQuadletWrite(bool refuse);
    void RefuseBlockProbe(bool refuse);
    // Each transfer of this kind first waits this long (real time).
    void SetDelayMs(SimXfer kind, uint32_t ms);
    // Transfers of this kind block until ReleaseHang (or for at most 60 s), then fail with kFwTimeout.
    void SetHang(SimXfer kind, bool hang);
    void ReleaseHang();
    int HungTransfers() const { return m_hung.load(); }
    void SetAvcAnswer(SimAvcAnswer mode, uint32_t rewriteOffset = 0);

    // --- the unit's own items (time is the program's clock) ---
    // DSP mode, item 78: 2 below 176.4 kHz, 3 from there. Writing the other mode makes the unit
    // leave the bus and come back ModeSwitchMs later in the new mode (a power-up: the DSP boots anew).
    int DspMode() const;
    void SetDspMode(int mode);
    void SetModeSwitchMs(uint32_t ms);
    // DSP booted, item 80: 0 for DspBootMs after power-up, then 1; never when the DSP never boots.
    void SetDspBootMs(uint32_t ms);
    void SetDspNeverBoots(bool never);
    bool IsDspBooted() const;
    // Date code (items 256: month << 8 | day, 257: year), DSP code version (1022) and info (1023).
    void SetDateCode(uint32_t year, uint32_t month, uint32_t day);
    void SetDspVersion(uint32_t version, uint32_t infoHigh, uint32_t infoLow);
    // S/PDIF input as item 79 reports it: bit 0 lock, bit 1 present, bits 8-15 rate code.
    void SetSpdifInput(bool present, bool locked, uint32_t rateCode);
    bool IsExternalClock() const;  // item 114
    // Writing item 82 stores every item to flash; a power cycle brings the stored items back.
    int FlashStores() const;
    void PowerCycle();
    // Meters (64-67 as 1.31, the others up to 65535) move by themselves unless demo meters are off.
    void SetDemoMeters(bool on);
    // The front panel: dim and mute of output 1&2 toggle bits 24 and 25 of item 55; the level knob
    // (0..1) sets bits 0-12 of item 61.
    void PressDim();
    void PressMute();
    void TurnLevelKnob(float level);
    // Told of every change of the state its audio device follows (called without the unit's lock).
    void SetStateHook(std::function<void(const SimUnitState&)> hook);
    SimUnitState State() const;

    // --- called by the bus ---
    void AttachedTo(SimFireWireBus* bus, bool onBus);
    // Brings time-driven changes (the DSP booting) up to date.
    void Advance();

    // --- transaction log ---
    std::vector<SimTransaction> Log() const;
    size_t Count(SimXfer kind) const;
    void ClearLog();

    // --- bus side: called by the simulated bus for an open handle on this unit ---
    int ReadQuadlet(uint64_t address, uint32_t* value);
    int WriteQuadlet(uint64_t address, uint32_t value);
    int WriteBlock(uint64_t address, const uint8_t* data, uint32_t length);
    int ExecuteAVC(const uint8_t* command, uint32_t length, uint8_t* response, uint32_t* responseLength);
    // Ends hung transfers (the unit left the bus).
    void AbortHangs();

private:
    // Device behaviour of single items. Called with the unit's lock held.
    uint32_t ReadItemLocked(uint32_t item);
    void WriteItemLocked(uint32_t item, uint32_t value);
    uint32_t DemoMeterLocked(uint32_t item) const;
    bool BootedLocked() const;
    // Runs what a transfer left to do outside the lock (leaving the bus, telling the audio side).
    void AfterTransfer();
    void NotifyState();

    mutable std::mutex m_lock;
    std::map<uint32_t, uint32_t> m_items;
    std::map<uint32_t, uint32_t> m_flash;
    int m_flashStores = 0;
    int m_dspMode = 2;
    uint32_t m_modeSwitchMs = 3000;
    uint32_t m_dspBootMs = 0;
    bool m_dspNeverBoots = false;
    uint64_t m_poweredAtMs = 0;
    bool m_demoMeters = true;
    uint32_t m_spdifStatus = 0;
    bool m_onBus = false;
    bool m_bootReported = false;
    bool m_leaveBus = false;       // a mode switch asked the unit to re-enumerate
    bool m_stateChanged = false;
    SimFireWireBus* m_bus = nullptr;
    std::function<void(const SimUnitState&)> m_stateHook;

    // Applies delay, hang and scripted failure for a transfer of this kind; returns 0 to go on.
    int Enter(SimXfer kind);
    void Record(SimTransaction t);

    const uint64_t m_guid;
    uint32_t m_info[kSimInfoWords] = {};

    struct Script {
        int failCount = 0;
        int failCode = 0;
        uint32_t delayMs = 0;
        bool hang = false;
    };
    Script m_script[kSimXferKinds];
    bool m_refuseQRead = false;
    bool m_refuseQWrite = false;
    bool m_refuseProbe = false;
    SimAvcAnswer m_avcMode = SimAvcAnswer::Normal;
    uint32_t m_rewriteOffset = 0;

    std::vector<SimTransaction> m_log;

    std::condition_variable m_hangCv;
    uint64_t m_hangGeneration = 0;
    std::atomic<int> m_hung{0};
};
