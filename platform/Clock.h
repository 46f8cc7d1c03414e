#pragma once
// Time for the device code. Every sleep and every "now" of the device layer goes through the
// installed clock, so tests can replace real waiting with a clock that only records what was asked.

#include <cstdint>


class Clock {
public:
    virtual ~Clock() = default;
    virtual void SleepMs(uint32_t ms) = 0;
    virtual void SleepUs(uint32_t us) = 0;
    // Monotonic milliseconds.
    virtual uint64_t NowMs() = 0;
};

// The clock in use; the real one unless a test installed another.
Clock& GetClock();
// Installs a clock (nullptr restores the real one). The caller keeps ownership.
void SetClock(Clock* clock);

