#include "CtrlPanel/firmware/DriverManager.h"

#include "platform/Clock.h"
#include "platform/PrivilegedRunner.h"

bool DriverManager::Authorize()
{
    if (!m_authorized)
        m_authorized = GetPrivilegedRunner().Authorize();
    return m_authorized;
}

bool DriverManager::Unload(const std::vector<std::string>& drivers)
{
    if (!m_authorized)
        return false;
    for (size_t i = 0; i < drivers.size(); ++i) {
        const int status = GetPrivilegedRunner().Run({kDriverTool, "-r", drivers[i]});
        GetClock().SleepMs(i == 0 ? 2000 : 1000);
        if (status != 0) {
            Reload();
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
    if (!m_authorized)
        return false;
    GetClock().SleepMs(1000);
    std::vector<std::string> failed;
    for (size_t i = m_unloaded.size(); i-- > 0;) {
        if (i + 1 < m_unloaded.size())
            GetClock().SleepMs(2000);
        if (GetPrivilegedRunner().Run({kDriverTool, m_unloaded[i]}) != 0)
            failed.insert(failed.begin(), m_unloaded[i]);
    }
    m_unloaded = failed;
    return failed.empty();
}
