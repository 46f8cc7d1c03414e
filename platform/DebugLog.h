#pragma once
// Trace lines of the program ("+ VelbrinHAL::Open()\n", "  Q:\n", ...).
//
// In a release build (NDEBUG) DebugLog does nothing. In a debug build each line goes to stderr, or to
// the capture sink while one is installed (tests assert on traces that way). Thread-safe.

#include <cstdint>
#include <functional>
#include <string>


void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The per-pair trace calls of the item transfers: empty in every build, kept as hooks.
inline void DebugLogItem(uint32_t /*item*/, uint32_t /*value*/) {}

// True when DebugLog lines are produced at all (debug builds).
bool DebugLogEnabled();

// Replaces stderr as the destination of DebugLog lines until cleared with an empty function.
void SetDebugLogSink(std::function<void(const std::string&)> sink);

// Test helper: collects every DebugLog line while it lives.
class DebugLogCapture {
public:
    DebugLogCapture();
    ~DebugLogCapture();
    std::string Text() const;
    bool Contains(const std::string& s) const { return Text().find(s) != std::string::npos; }
    void Clear();
private:
    struct Impl;
    Impl* m_impl;
};

