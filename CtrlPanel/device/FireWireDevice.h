#pragma once
// Register access to the Velbrin: opens the unit (information block, capability probes), picks the
// transfer kind for every read and write of items, and serialises all bus traffic with one mutex.
//
// Used by the GUI thread (HAL calls) and the polling thread. Each Open, Close, ReadItems and
// WriteItems is one indivisible sequence of bus transactions, retry sleeps included.

#include "CtrlPanel/device/ItemValue.h"

#include <atomic>
#include <cstdint>
#include <wx/thread.h>

constexpr int kInfoBlockWords = 26;
constexpr uint64_t kItemQuadletBase = 0x000100000000ull;
constexpr uint64_t kItemBlockWriteAddress = 0x000100010000ull;
constexpr uint64_t kInfoBlockAddress = 0xFFFFC8020000ull;
constexpr uint32_t kCloseWaitMs = 3000;
// Largest pair count of one AV/C frame (its count byte holds 8 bits, and an answer fits the 512-byte
// shared buffer). Longer reads and writes go as several frames.
constexpr uint32_t kMaxAvcPairs = 63;
// Returned for an AV/C answer that does not match its command, or whose response code is not the
// one that carries the command out (STABLE for a read, ACCEPTED for a write).
constexpr int kBadAvcAnswer = int(0xE00002BC);

class FireWireDevice {
public:
    FireWireDevice();
    ~FireWireDevice();
    FireWireDevice(const FireWireDevice&) = delete;
    FireWireDevice& operator=(const FireWireDevice&) = delete;

    // 0 on success; -1 or the platform's status on failure (the unit then stays closed).
    int Open();
    // Idempotent. Waits for a transfer in flight for at most kCloseWaitMs of the program's clock; past
    // that it traces and closes the handle anyway, which ends the transfer on a bus that honours it.
    int Close();
    bool IsOpen() const { return m_open; }

    // Reads n items in place. Fewer than 6 go as quadlet reads (only `value` changes); more as AV/C
    // STATUS commands of up to kMaxAvcPairs pairs, whose answers also replace `item`. A failed AV/C
    // read leaves every pair as it was.
    int ReadItems(ItemValue* pairs, uint32_t n);
    // Writes n pairs: one block write when the unit takes them, else quadlets (n < 6) or AV/C.
    int WriteItems(const ItemValue* pairs, uint32_t n);

    // Word w of the information block read at the last open (byte-reversed from the host-order word).
    uint32_t InfoWord(int w) const { return (w >= 0 && w < kInfoBlockWords) ? m_info[w] : 0; }

private:
    int ReadQuadlets(ItemValue* pairs, uint32_t n);
    int ReadAvc(ItemValue* pairs, uint32_t n);
    // One frame of at most kMaxAvcPairs pairs; the answer's pairs go to `answered`.
    int ReadAvcFrame(const ItemValue* pairs, uint32_t n, ItemValue* answered);
    int WriteAvc(const ItemValue* pairs, uint32_t n);
    // Open without the lock; closes the handle again on every failure after it was opened.
    int OpenLocked();

    uint8_t* m_token;
    uint32_t m_info[kInfoBlockWords] = {};
    std::atomic<bool> m_open{false};
    wxMutex m_mutex;
};
