#pragma once
// A privileged runner that runs nothing: it records every driver command it would run (as the
// tool's command line), answers with scripted statuses, and follows which kernel drivers the tool
// would have unloaded. Without rights a command is refused and not recorded, as the real one does.

#include "platform/PrivilegedRunner.h"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

class SimPrivilegedRunner : public PrivilegedRunner {
public:
    // The process's runner (SimBackends::InstallScenario installs it); it lives until exit.
    static SimPrivilegedRunner& Default();

    bool Authorize() override;
    int RunDriverCommand(DriverAction action, const std::string& driver) override;
    void EndAuthorization() override;
    std::string Error() const override;

    // --- scripting ---
    void RefuseAuthorization(bool refuse);
    // The next count runs of exactly this command line return status (and change nothing).
    void FailCommand(const std::vector<std::string>& argv, int status, int count = 1);
    // Called with every command line recorded, on the thread that ran it.
    void SetObserver(std::function<void(const std::vector<std::string>&)> observer);

    // --- inspection ---
    std::vector<std::vector<std::string>> Commands() const;
    // Drivers unloaded by the driver tool and not loaded again, sorted.
    std::vector<std::string> UnloadedDrivers() const;
    // How often the rights were asked for, granted or not (an Authorize while they are held asks nothing).
    int Authorizations() const;
    bool IsAuthorized() const;
    // Forgets the record and the scripting; the rights and which drivers are unloaded stay.
    void Clear();

private:
    struct Failure {
        int status;
        int count;
    };
    mutable std::mutex m_lock;
    bool m_refuse = false;
    bool m_authorized = false;
    int m_authorizations = 0;
    std::vector<std::vector<std::string>> m_commands;
    std::map<std::vector<std::string>, Failure> m_failures;
    std::set<std::string> m_unloaded;
    std::function<void(const std::vector<std::string>&)> m_observer;
};
