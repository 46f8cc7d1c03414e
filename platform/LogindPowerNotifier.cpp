#include "platform/LogindPowerNotifier.h"

#include "platform/DebugLog.h"
#include "platform/GioLogindLink.h"

#include <unistd.h>

LogindPowerNotifier::LogindPowerNotifier(std::unique_ptr<LogindLink> link) : m_link(std::move(link))
{
    m_link->Connect([this](bool sleeping) { OnPrepareForSleep(sleeping); });
    RequestLock();
}

LogindPowerNotifier::~LogindPowerNotifier()
{
    // The link goes first, so no answer reaches a half-destroyed notifier.
    m_link.reset();
    ReleaseLock();
}

std::unique_ptr<LogindPowerNotifier> LogindPowerNotifier::OnSystemBus()
{
    return std::make_unique<LogindPowerNotifier>(std::make_unique<GioLogindLink>());
}

void LogindPowerNotifier::SetSleepHandler(std::function<void()> willSleep)
{
    m_willSleep = std::move(willSleep);
}

void LogindPowerNotifier::OnPrepareForSleep(bool sleeping)
{
    if (sleeping == m_sleeping)
        return;
    m_sleeping = sleeping;
    if (sleeping) {
        DebugLog("+ system sleep\n");
        if (m_willSleep)
            m_willSleep();
        ReleaseLock();
    } else {
        DebugLog("+ system wake\n");
        RequestLock();
    }
}

void LogindPowerNotifier::RequestLock()
{
    if (m_requesting || m_lockFd >= 0)
        return;
    m_requesting = true;
    m_link->TakeDelayLock([this](int fd) { OnLock(fd); });
}

void LogindPowerNotifier::OnLock(int fd)
{
    m_requesting = false;
    if (fd < 0)
        return;
    if (m_sleeping || m_lockFd >= 0) {
        // The answer came after the sleep began: holding it would only delay the sleep.
        close(fd);
        return;
    }
    m_lockFd = fd;
}

void LogindPowerNotifier::ReleaseLock()
{
    if (m_lockFd < 0)
        return;
    close(m_lockFd);
    m_lockFd = -1;
}
