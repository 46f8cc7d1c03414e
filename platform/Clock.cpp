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

SystemClock g_systemClock;
std::atomic<Clock*> g_clock{&g_systemClock};

}  // namespace

Clock& GetClock() { return *g_clock.load(); }

void SetClock(Clock* clock) { g_clock.store(clock ? clock : &g_systemClock); }

