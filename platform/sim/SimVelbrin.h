#pragma once
// The simulated Velbrin as the program sees it over the bus: an item (register) store, the
// information block, and the quadlet, block and AV/C vendor-dependent transfers with their status
// codes. Tests script it (faults, refusals, delays, hangs, odd AV/C answers) and read its log of
// the transfers it served (a ring of the latest ones; the program turns it off).
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
#include <deque>
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

// How the unit answers AV/C item-access frames. Only Normal and RewriteItems carry out the command.
enum class SimAvcAnswer {
    Normal,          // STABLE for STATUS, ACCEPTED for CONTROL
    Rejected,        // response code REJECTED, the frame echoed
    NotImplemented,  // response code NOT IMPLEMENTED, the frame echoed
    Interim,         // response code INTERIM, the frame echoed (the final answer never comes)
    Short,           // an 8-byte answer with no pairs
    RewriteItems,    // STATUS answers carry item numbers shifted by the argument
    MismatchedEcho,  // a normal answer whose header byte at the argument (1..7) differs from the command's
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
constexpr uint8_t kAvcInterim = 0x0F;

// Defaults of the unit's timing (the program's clock) and of its transaction log.
constexpr uint32_t kSimDefaultDspBootMs = 400;
constexpr uint32_t kSimDefaultFlashBusyMs = 150;
constexpr size_t kSimDefaultLogCapacity = 20000;

class SimFireWireBus;

// What the unit's surroundings (its audio device) follow.
struct SimUnitState {
    bool onBus = false;
    bool dspBooted = false;
    int dspMode = 2;
    bool externalClock = false;
    // Hz of the S/PDIF input when it is present and locked at a known rate, else 0.
    uint32_t spdifRate = 0;
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
    // Every item the store holds, in item order.
    std::map<uint32_t, uint32_t> Items() const;
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
    // Transfers held right now by a scripted delay or hang.
    int WaitingTransfers() const { return m_waiting.load(); }
    void SetAvcAnswer(SimAvcAnswer mode, uint32_t argument = 0);

    // --- the unit's own items (time is the program's clock) ---
    // DSP mode, item 78: 2 below 176.4 kHz, 3 from there. Writing the other mode makes the unit
    // leave the bus and come back ModeSwitchMs later in the new mode (a power-up: the DSP boots anew).
    int DspMode() const;
    void SetDspMode(int mode);
    void SetModeSwitchMs(uint32_t ms);
    // DSP booted, item 80: 0 for DspBootMs (default kSimDefaultDspBootMs) after power-up, then 1;
    // never when the DSP never boots.
    void SetDspBootMs(uint32_t ms);
    void SetDspNeverBoots(bool never);
    bool IsDspBooted() const;
    // The DSP counts as booted from now on, as in a unit switched on long before the program started;
    // its next power-up boots as usual.
    void CompleteBoot();
    // Date code (items 256: month << 8 | day, 257: year), DSP code version (1022) and info (1023).
    void SetDateCode(uint32_t year, uint32_t month, uint32_t day);
    // From power-up until settleMs after the DSP boots, the date code reads as this one instead: a unit
    // whose date code settles a moment after its DSP answers. settleMs 0: never.
    void SetEarlyDateCode(uint32_t year, uint32_t month, uint32_t day, uint32_t settleMs);
    void SetDspVersion(uint32_t version, uint32_t infoHigh, uint32_t infoLow);
    // S/PDIF input as item 79 reports it: bit 0 lock, bit 1 present, bits 8-15 rate code.
    void SetSpdifInput(bool present, bool locked, uint32_t rateCode);
    bool IsExternalClock() const;  // item 114
    // Writing item 82 stores every item to flash; a power cycle brings the stored items back. For
    // kSimDefaultFlashBusyMs after the store the unit answers nothing: a transfer arriving meanwhile is
    // answered when the period ends.
    int FlashStores() const;
    void PowerCycle();
    // Signals: with demo meters on (the default) the two inputs and the five playback pairs swell by
    // themselves, and so do the effect meters. With them off, the inputs are the values of items 65
    // and 67 (1.31; SetInputLevel sets them), the playback pairs are set with SetPlaybackLevel, and
    // the effect meters read as stored.
    void SetDemoMeters(bool on);
    void SetInputLevel(int input, float level);    // input 0 or 1, level 0..1
    void SetPlaybackLevel(int pair, float level);  // pair 0 (1&2) .. 4 (9&10), level 0..1
    // Output 1&2 (meter items 64 left, 66 right) always follows the mix of the mixer items: input
    // and playback gains, and output word 55 (attenuation, mute, hardware level knob, dim).
    // The front panel: dim and mute of output 1&2 toggle bits 24 and 25 of item 55; the level knob
    // (0..1, fully up at power-up) sets bits 0-12 of item 61. A write of the program's routing word
    // (0x06000000) to item 55 leaves the two front-panel bits as they are.
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
    // True while a time-driven change is still to come: the DSP's boot is not reported yet.
    bool AwaitsChange() const;

    // --- transaction log: the latest `capacity` transfers; 0 turns it off ---
    void SetLogCapacity(size_t capacity);
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
    // A slow swell between 0 and 1, different for every seed.
    double DemoLevelLocked(uint32_t seed) const;
    uint32_t DemoMeterLocked(uint32_t item) const;
    // Level 0..1 of input 0..1 and playback pair 0..4 as the mix hears them.
    double InputLocked(int input);
    double PlaybackLocked(int pair) const;
    // Meter item 64 or 66: output 1&2, left or right.
    uint32_t OutputMeterLocked(uint32_t item);
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
    uint32_t m_dspBootMs = kSimDefaultDspBootMs;
    bool m_dspNeverBoots = false;
    uint64_t m_poweredAtMs = 0;
    bool m_bootCompleted = false;  // CompleteBoot since the last power-up
    bool m_demoMeters = true;
    float m_playbackLevels[5] = {};
    uint32_t m_flashBusyMs = kSimDefaultFlashBusyMs;
    uint64_t m_flashBusyUntilMs = 0;
    uint32_t m_spdifStatus = 0;
    uint32_t m_earlyDayMonth = 0;
    uint32_t m_earlyYear = 0;
    uint32_t m_dateSettleMs = 0;
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
    uint32_t m_avcArgument = 0;

    std::deque<SimTransaction> m_log;
    size_t m_logCapacity = kSimDefaultLogCapacity;
    std::atomic<int> m_waiting{0};

    std::condition_variable m_hangCv;
    uint64_t m_hangGeneration = 0;
    std::atomic<int> m_hung{0};
};
