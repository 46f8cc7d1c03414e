#pragma once
// The system clipboard as typed byte records: each record is filed under a four-character flavor
// code, and putting one record drops every other flavor. Clipboard contents are foreign input: the
// size asked for and the bytes read later may differ, so a read is bounded by the caller's buffer.

#include <cstddef>
#include <cstdint>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's contents with size bytes under flavor. Failures are not reported.
    virtual void Put(const void* data, uint32_t size, uint32_t flavor) = 0;
    // The size of the record under flavor, 0 when there is none.
    virtual uint32_t GetSize(uint32_t flavor) = 0;
    // Copies at most capacity bytes of the record under flavor into buffer; returns the count
    // copied (0 when the flavor is absent, and buffer is then untouched).
    virtual uint32_t Get(void* buffer, uint32_t capacity, uint32_t flavor) = 0;
};
