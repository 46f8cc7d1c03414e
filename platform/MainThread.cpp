#include "platform/MainThread.h"

#include <deque>
#include <mutex>

namespace {
std::mutex g_lock;
std::deque<std::function<void()>> g_queue;
}  // namespace

void PostToMainThread(std::function<void()> fn)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_queue.push_back(std::move(fn));
}

int DrainMainThreadQueue()
{
    int count = 0;
    for (;;) {
        std::function<void()> fn;
        {
            std::lock_guard<std::mutex> lock(g_lock);
            if (g_queue.empty())
                return count;
            fn = std::move(g_queue.front());
            g_queue.pop_front();
        }
        fn();
        ++count;
    }
}
