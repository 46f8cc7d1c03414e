#pragma once
// Records what the device layer shows the user, instead of opening message boxes.

#include "CtrlPanel/device/UserNotifier.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingNotifier : public UserNotifier {
public:
    RecordingNotifier() { SetUserNotifier(this); }
    ~RecordingNotifier() override { SetUserNotifier(nullptr); }

    void ShowMessage(const std::string& message, const std::string& caption) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_messages.push_back(caption + "|" + message);
    }
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }

    std::vector<std::string> Messages() const
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_messages;
    }
    int busyDepth = 0;

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_messages;
};
