#include "bench/ReplyCounter.h"

#include <X11/Xproto.h>
#include <X11/extensions/record.h>

namespace {

void OnRecorded(XPointer closure, XRecordInterceptData* data)
{
    auto* replies = reinterpret_cast<std::atomic<int64_t>*>(closure);
    if (data->category == XRecordFromServer && data->data_len > 0 && data->data[0] == X_Reply)
        ++*replies;
    XRecordFreeData(data);
}

}  // namespace

ReplyCounter::~ReplyCounter()
{
    Stop();
}

bool ReplyCounter::Start(const char* displayName, Window window)
{
    Stop();
    m_control = XOpenDisplay(displayName);
    m_data = XOpenDisplay(displayName);
    int major = 0, minor = 0;
    if (!m_control || !m_data || !XRecordQueryVersion(m_control, &major, &minor)) {
        Stop();
        return false;
    }
    XRecordRange* range = XRecordAllocRange();
    range->core_replies.first = 1;
    range->core_replies.last = 127;
    range->ext_replies.ext_major.first = 128;
    range->ext_replies.ext_major.last = 255;
    range->ext_replies.ext_minor.first = 0;
    range->ext_replies.ext_minor.last = 65535;
    XRecordClientSpec client = window;
    m_context = XRecordCreateContext(m_control, 0, &client, 1, &range, 1);
    XFree(range);
    XSync(m_control, False);
    if (!m_context) {
        Stop();
        return false;
    }
    m_replies = 0;
    m_reader = std::thread([this] {
        XRecordEnableContext(m_data, m_context, OnRecorded, reinterpret_cast<XPointer>(&m_replies));
    });
    return true;
}

int64_t ReplyCounter::Stop()
{
    const bool counting = m_reader.joinable();
    if (counting) {
        XRecordDisableContext(m_control, m_context);
        XSync(m_control, False);
        m_reader.join();
    }
    if (m_context)
        XRecordFreeContext(m_control, m_context);
    m_context = 0;
    if (m_data)
        XCloseDisplay(m_data);
    if (m_control)
        XCloseDisplay(m_control);
    m_data = m_control = nullptr;
    return counting ? m_replies.load() : -1;
}
