#include "platform/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>


namespace {
std::mutex g_sinkLock;
std::function<void(const std::string&)> g_sink;
}  // namespace

bool DebugLogEnabled()
{
#ifdef NDEBUG
    return false;
#else
    return true;
#endif
}

void DebugLog(const char* format, ...)
{
#ifdef NDEBUG
    (void)format;
#else
    char buffer[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    std::lock_guard<std::mutex> lock(g_sinkLock);
    if (g_sink)
        g_sink(buffer);
    else
        fputs(buffer, stderr);
#endif
}

void SetDebugLogSink(std::function<void(const std::string&)> sink)
{
    std::lock_guard<std::mutex> lock(g_sinkLock);
    g_sink = std::move(sink);
}

struct DebugLogCapture::Impl {
    mutable std::mutex lock;
    std::string text;
};

DebugLogCapture::DebugLogCapture() : m_impl(new Impl)
{
    Impl* impl = m_impl;
    SetDebugLogSink([impl](const std::string& line) {
        std::lock_guard<std::mutex> lock(impl->lock);
        impl->text += line;
    });
}

DebugLogCapture::~DebugLogCapture()
{
    SetDebugLogSink(nullptr);
    delete m_impl;
}

std::string DebugLogCapture::Text() const
{
    std::lock_guard<std::mutex> lock(m_impl->lock);
    return m_impl->text;
}

void DebugLogCapture::Clear()
{
    std::lock_guard<std::mutex> lock(m_impl->lock);
    m_impl->text.clear();
}

