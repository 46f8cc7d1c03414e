#pragma once
// Sleep through the login manager: a delay inhibitor is held while the system is awake, so the
// system waits (up to the manager's own limit) until the handler has run. PrepareForSleep(true) runs
// the handler, then releases the inhibitor so the sleep goes on; PrepareForSleep(false) takes a new
// one. Without a bus or a login manager the program runs on, and the link traces why. GUI thread only.

#include "platform/LogindLink.h"
#include "platform/PowerNotifier.h"

#include <memory>

class LogindPowerNotifier : public PowerNotifier {
public:
    // Connects the link and asks for the first inhibitor.
    explicit LogindPowerNotifier(std::unique_ptr<LogindLink> link);
    ~LogindPowerNotifier() override;
    LogindPowerNotifier(const LogindPowerNotifier&) = delete;
    LogindPowerNotifier& operator=(const LogindPowerNotifier&) = delete;

    // The notifier on the system bus.
    static std::unique_ptr<LogindPowerNotifier> OnSystemBus();

    void SetSleepHandler(std::function<void()> willSleep) override;

    bool HoldsInhibitor() const { return m_lockFd >= 0; }

private:
    void OnPrepareForSleep(bool sleeping);
    void RequestLock();
    void OnLock(int fd);
    void ReleaseLock();

    std::unique_ptr<LogindLink> m_link;
    std::function<void()> m_willSleep;
    int m_lockFd = -1;
    bool m_requesting = false;
    bool m_sleeping = false;
};
