#include "platform/sim/SimPrivilegedRunner.h"

SimPrivilegedRunner& SimPrivilegedRunner::Default()
{
    static SimPrivilegedRunner runner;
    return runner;
}

bool SimPrivilegedRunner::Authorize()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_authorized)
        return true;
    ++m_authorizations;
    m_authorized = !m_refuse;
    return m_authorized;
}

int SimPrivilegedRunner::RunDriverCommand(DriverAction action, const std::string& driver)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_authorized || !DriverCommand::IsValidName(driver))
        return -1;
    const std::vector<std::string> argv = DriverCommand::Line(action, driver);
    m_commands.push_back(argv);
    if (m_observer)
        m_observer(argv);
    auto f = m_failures.find(argv);
    if (f != m_failures.end() && f->second.count > 0) {
        const int status = f->second.status;
        if (--f->second.count == 0)
            m_failures.erase(f);
        return status;
    }
    if (action == DriverAction::Unload)
        m_unloaded.insert(driver);
    else
        m_unloaded.erase(driver);
    return 0;
}

void SimPrivilegedRunner::EndAuthorization()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_authorized = false;
}

std::string SimPrivilegedRunner::Error() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_refuse ? "refused by the simulation" : "";
}

void SimPrivilegedRunner::RefuseAuthorization(bool refuse)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_refuse = refuse;
}

void SimPrivilegedRunner::FailCommand(const std::vector<std::string>& argv, int status, int count)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_failures[argv] = {status, count};
}

void SimPrivilegedRunner::SetObserver(std::function<void(const std::vector<std::string>&)> observer)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_observer = std::move(observer);
}

std::vector<std::vector<std::string>> SimPrivilegedRunner::Commands() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_commands;
}

std::vector<std::string> SimPrivilegedRunner::UnloadedDrivers() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return {m_unloaded.begin(), m_unloaded.end()};
}

int SimPrivilegedRunner::Authorizations() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_authorizations;
}

bool SimPrivilegedRunner::IsAuthorized() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_authorized;
}

void SimPrivilegedRunner::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_commands.clear();
    m_failures.clear();
    m_authorizations = 0;
    m_refuse = false;
}
