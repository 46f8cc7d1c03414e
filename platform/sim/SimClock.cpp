#include "platform/sim/SimClock.h"

#include <chrono>
#include <thread>

void SimClock::SleepMs(uint32_t ms)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_nowUs += uint64_t(ms) * 1000;
        m_sleptMs += ms;
        if (m_sleeps.size() < 100000)
            m_sleeps.push_back(ms);
    }
    if (m_realDivisor)
        std::this_thread::sleep_for(std::chrono::microseconds(uint64_t(ms) * 1000 / m_realDivisor));
    else
        std::this_thread::yield();
}

void SimClock::SleepUs(uint32_t us)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_nowUs += us;
}

uint64_t SimClock::NowMs()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nowUs / 1000;
}

uint64_t SimClock::TotalSleptMs() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_sleptMs;
}

std::vector<uint32_t> SimClock::Sleeps() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_sleeps;
}

void SimClock::Reset()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_sleptMs = 0;
    m_sleeps.clear();
}

void SimClock::Advance(uint64_t ms)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_nowUs += ms * 1000;
}
