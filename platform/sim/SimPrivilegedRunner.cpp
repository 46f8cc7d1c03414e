#include "platform/sim/SimPrivilegedRunner.h"

SimPrivilegedRunner& SimPrivilegedRunner::Default()
{
    static SimPrivilegedRunner runner;
    return runner;
}

bool SimPrivilegedRunner::Authorize()
{
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_authorizations;
    return !m_refuse;
}

int SimPrivilegedRunner::Run(const std::vector<std::string>& argv)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_commands.push_back(argv);
    auto f = m_failures.find(argv);
    if (f != m_failures.end() && f->second.count > 0) {
        const int status = f->second.status;
        if (--f->second.count == 0)
            m_failures.erase(f);
        return status;
    }
    if (argv.empty() || argv[0] != kDriverTool)
        return 0;
    if (argv.size() == 3 && argv[1] == "-r")
        m_unloaded.insert(argv[2]);
    else if (argv.size() == 2)
        m_unloaded.erase(argv[1]);
    return 0;
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

void SimPrivilegedRunner::Clear()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_commands.clear();
    m_failures.clear();
    m_authorizations = 0;
    m_refuse = false;
}
