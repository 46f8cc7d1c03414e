#pragma once
// The unit's 18-byte answer in its reply area: bytes 0-3 01 00 00 00 when valid, byte 6 the
// command answered, byte 7 a status, bytes 8-11 a block's counter, bytes 12-15 after an end-image
// zero when the image's checksum matched.

#include <cstdint>

class FlashReply {
public:
    static constexpr uint32_t kSize = 18;

    uint8_t* Bytes() { return m_bytes; }
    // Forgets what was read (after a failed read).
    void Clear();

    bool IsValid() const;
    // A valid answer to reset, halt, start or end-image with the status that acknowledges it.
    bool Acknowledges(uint8_t command) const;
    // A valid answer to a write-block frame that echoes this counter.
    bool Echoes(uint32_t blockCounter) const;
    uint32_t ChecksumResult() const;

private:
    uint8_t m_bytes[kSize] = {};
};
