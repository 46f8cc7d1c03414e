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

#include <atomic>
#include <condition_variable>
#include <cstdint>
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

protected:
    // Device behaviour of single items. Called with the unit's lock held.
    virtual uint32_t ReadItemLocked(uint32_t item);
    virtual void WriteItemLocked(uint32_t item, uint32_t value);

    mutable std::mutex m_lock;
    std::map<uint32_t, uint32_t> m_items;

private:
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
