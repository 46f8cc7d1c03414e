#pragma once
// A clock for tests: sleeps return at once (optionally after a short real pause so polling loops
// do not spin), advance a virtual time, and are recorded so tests can assert the waits asked for.

#include "platform/Clock.h"

#include <mutex>
#include <vector>

class SimClock : public Clock {
public:
    // realDivisor > 0 makes each sleep also wait ms / realDivisor of real time.
    explicit SimClock(uint32_t realDivisor = 0) : m_realDivisor(realDivisor) {}

    void SleepMs(uint32_t ms) override;
    void SleepUs(uint32_t us) override;
    uint64_t NowMs() override;

    // Sum of the milliseconds asked for by SleepMs since construction or the last Reset.
    uint64_t TotalSleptMs() const;
    std::vector<uint32_t> Sleeps() const;
    void Reset();
    void Advance(uint64_t ms);

private:
    mutable std::mutex m_lock;
    uint32_t m_realDivisor;
    uint64_t m_nowUs = 0;
    uint64_t m_sleptMs = 0;
    std::vector<uint32_t> m_sleeps;
};

// Installs a SimClock for the lifetime of the object (test scope).
class ScopedSimClock {
public:
    explicit ScopedSimClock(uint32_t realDivisor = 0) : m_clock(realDivisor) { SetClock(&m_clock); }
    ~ScopedSimClock() { SetClock(nullptr); }
    SimClock* operator->() { return &m_clock; }
    SimClock& operator*() { return m_clock; }
private:
    SimClock m_clock;
};
