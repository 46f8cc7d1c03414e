#include "CtrlPanel/firmware/DriverManager.h"

#include "platform/Clock.h"

void DriverManager::Report(const std::string& line)
{
    if (m_report)
        m_report(line);
}

bool DriverManager::Authorize()
{
    if (m_runner)
        return true;
    PrivilegedRunner& runner = GetPrivilegedRunner();
    if (!runner.Authorize()) {
        Report("Administrator rights were not granted: " + runner.Error());
        return false;
    }
    m_runner = &runner;
    return true;
}

void DriverManager::EndAuthorization()
{
    if (m_runner)
        m_runner->EndAuthorization();
    m_runner = nullptr;
}

bool DriverManager::Unload(const std::vector<std::string>& drivers)
{
    if (!m_runner)
        return false;
    for (size_t i = 0; i < drivers.size(); ++i) {
        const int status = m_runner->RunDriverCommand(DriverAction::Unload, drivers[i]);
        GetClock().SleepMs(i == 0 ? 2000 : 1000);
        if (status != 0) {
            Report("Could not unload driver " + drivers[i] + " (status " + std::to_string(status) + ")");
            return false;
        }
        m_unloaded.push_back(drivers[i]);
    }
    return true;
}

bool DriverManager::Reload()
{
    if (m_unloaded.empty())
        return true;
    if (!m_runner)
        return false;
    GetClock().SleepMs(1000);
    std::vector<std::string> failed;
    for (size_t i = m_unloaded.size(); i-- > 0;) {
        if (i + 1 < m_unloaded.size())
            GetClock().SleepMs(2000);
        const int status = m_runner->RunDriverCommand(DriverAction::Load, m_unloaded[i]);
        if (status != 0) {
            Report("Could not load driver " + m_unloaded[i] + " again (status " + std::to_string(status) + ")");
            failed.insert(failed.begin(), m_unloaded[i]);
        }
    }
    m_unloaded = failed;
    return failed.empty();
}
