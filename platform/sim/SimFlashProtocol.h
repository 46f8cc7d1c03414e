#pragma once
// The simulated unit's side of the flash-update protocol, reached by raw block transfers:
//
//   0xFFFF_C802_0000  identity block, 104 bytes read: the tag "bridgeCo", the device id (u32
//                     little-endian), then information-block words 3 to 25 of the unit
//   0xFFFF_C802_1000  command area: one frame written per command
//   0xFFFF_C802_1040  data area: up to 1024 bytes, taken by the next write-block command
//   0xFFFF_C802_9000  reply area, 18 bytes read
//
// A frame is {device id u32, sequence u16, command u8, sub-command u8, arguments}, little-endian.
// A frame for another device id or of the wrong length is ignored. The unit answers every command
// in the reply area: bytes 0-3 01 00 00 00, byte 6 the command, byte 7 its status (reset 0, halt 0,
// start 1, block 3, end 2, final 0), bytes 8-11 a block's counter, bytes 12-15 after an end 0 when
// the bytes received since the start match its length and checksum (Checksum below).
//
// Start erases the image's flash range; each block programs the data area's first n bytes at the
// block's address. Tests script faults per command and read the flash, the frames and a log of
// every transfer. Thread-safe.

#include "platform/sim/SimFlashMemory.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class SimVelbrin;

constexpr uint8_t kSimFlashHalt = 1;
constexpr uint8_t kSimFlashReset = 2;
constexpr uint8_t kSimFlashStart = 4;
constexpr uint8_t kSimFlashBlock = 5;
constexpr uint8_t kSimFlashEnd = 6;
constexpr uint8_t kSimFlashFinal = 17;

enum class SimFlashFault {
    DropReply,    // no reply: the reply area keeps the one before
    LateReply,    // the reply shows only with the given read of the reply area after the command
    CorruptEcho,  // a block's reply echoes another counter, for good
    LeaveBus,     // the unit leaves the bus right after taking the command, without replying
};

struct SimFlashTransfer {
    bool write = false;
    uint64_t address = 0;
    std::vector<uint8_t> data;  // the bytes written, or the bytes answered
    int status = 0;
    bool failOnReset = false;
    uint32_t generation = 0;
};

class SimFlashProtocol {
public:
    static constexpr uint64_t kIdentityAddress = 0xFFFFC8020000ull;
    static constexpr uint64_t kCommandAddress = 0xFFFFC8021000ull;
    static constexpr uint64_t kDataAddress = 0xFFFFC8021040ull;
    static constexpr uint64_t kReplyAddress = 0xFFFFC8029000ull;
    static constexpr uint32_t kIdentitySize = 104;
    static constexpr uint32_t kCommandSize = 0x40;
    static constexpr uint32_t kDataSize = 1024;
    static constexpr uint32_t kReplySize = 18;

    // The unit gives the identity block its information words.
    explicit SimFlashProtocol(const SimVelbrin* unit) : m_unit(unit) {}

    // The end-of-image check: CRC-32 (reflected polynomial 0xEDB88320) of the bytes received.
    static uint32_t Checksum(const uint8_t* data, size_t length);

    // The first 8 bytes of the identity block (padded with zeros) and the device id.
    void SetIdentity(const std::string& tag, uint32_t deviceId);
    uint32_t DeviceId() const;
    // The nth command of this kind from now (1 = the next) meets the fault. reads: for LateReply.
    void Script(uint8_t command, int nth, SimFlashFault fault, int reads = 0);

    SimFlashMemory Memory() const;
    std::vector<SimFlashTransfer> Log() const;
    // The frames written to the command area, in order.
    std::vector<std::vector<uint8_t>> Frames() const;
    void ClearLog();

    // --- raw bus side ---
    int Read(uint64_t address, uint8_t* data, uint32_t* length, bool failOnReset, uint32_t generation);
    int Write(uint64_t address, const uint8_t* data, uint32_t* length, bool failOnReset, uint32_t generation);
    // True once after a command that made the unit leave the bus.
    bool TakeLeaveRequest();

private:
    struct Fault {
        uint8_t command;
        int countdown;
        SimFlashFault fault;
        int reads;
    };
    struct Image {
        bool open = false;
        uint32_t address = 0;
        uint32_t length = 0;
        uint32_t checksum = 0;
        uint32_t crc = 0xFFFFFFFF;  // running, not yet inverted
        uint64_t received = 0;
        bool strayBlock = false;    // a block outside the image's range
    };
    // Called with the lock held.
    void TakeFrameLocked(const uint8_t* frame, uint32_t length);
    void ReplyLocked(uint8_t command, uint8_t status, uint32_t echo, uint32_t check, uint16_t sequence,
                     const Fault* fault);
    void Record(SimFlashTransfer t);

    const SimVelbrin* m_unit;
    mutable std::mutex m_lock;
    std::string m_tag = "bridgeCo";
    uint32_t m_deviceId = 0x00A5C3E1;
    std::vector<Fault> m_faults;
    uint8_t m_data[kDataSize] = {};
    uint32_t m_dataLength = 0;
    uint8_t m_reply[kReplySize] = {};
    uint8_t m_pending[kReplySize] = {};
    int m_pendingReads = 0;  // reads left until the pending reply shows; 0 = none pending
    Image m_image;
    SimFlashMemory m_flash;
    bool m_leave = false;
    std::vector<SimFlashTransfer> m_log;
    std::vector<std::vector<uint8_t>> m_frames;
};
