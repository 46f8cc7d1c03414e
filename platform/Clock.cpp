#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>


namespace {

class SystemClock : public Clock {
public:
    void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
    void SleepUs(uint32_t us) override { std::this_thread::sleep_for(std::chrono::microseconds(us)); }
    uint64_t NowMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

// Never destroyed: objects of static storage may still wait while they are destroyed at exit.
Clock& TheSystemClock()
{
    static Clock* const clock = new SystemClock;
    return *clock;
}

std::atomic<Clock*> g_clock{nullptr};

}  // namespace

Clock& GetClock()
{
    Clock* clock = g_clock.load();
    return clock ? *clock : TheSystemClock();
}

void SetClock(Clock* clock) { g_clock.store(clock); }
