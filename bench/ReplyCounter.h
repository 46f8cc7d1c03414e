#pragma once
// Counts the replies the X server sends to one client (the one that made a given window), through the
// RECORD extension on connections of its own. A client waits for each reply of a request it made, so
// the count is the client's round trips to the server. Start and Stop bracket the period counted.

#include <X11/Xlib.h>

#include <atomic>
#include <cstdint>
#include <thread>

class ReplyCounter {
public:
    ReplyCounter() = default;
    ReplyCounter(const ReplyCounter&) = delete;
    ReplyCounter& operator=(const ReplyCounter&) = delete;
    ~ReplyCounter();

    // Counts from now the replies to the client that owns window; false without RECORD.
    bool Start(const char* displayName, Window window);
    // Stops counting and returns the count (-1 when counting never started).
    int64_t Stop();

private:
    Display* m_control = nullptr;
    Display* m_data = nullptr;
    unsigned long m_context = 0;
    std::thread m_reader;
    std::atomic<int64_t> m_replies{0};
};
